// The link session: one report per good frame to the sinks of its kind, nothing for short or
// unknown frames but the counts, deliveries in order even when a sink re-enters, the one close
// path, and the command sender.

#include <gtest/gtest.h>

#include <QStringList>
#include <string>
#include <vector>

#include "link/commands.h"
#include "link/decoders.h"
#include "link/frame.h"
#include "link/frame_types.h"
#include "station/station.h"
#include "support/fake_serial_port.h"

namespace tarvel::station {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Records, in order, every signal of the session by name.
class Recorder {
 public:
  explicit Recorder(LinkSession& s) {
    auto add = [&](auto signal, const char* name) {
      QObject::connect(&s, signal, &s, [this, name] { events << name; });
    };
    add(&LinkSession::imuFrame, "imu");
    add(&LinkSession::motionFrame, "motion");
    add(&LinkSession::pwmInFrame, "pwmIn");
    add(&LinkSession::pwmOutFrame, "pwmOut");
    add(&LinkSession::trackFrame, "track");
    add(&LinkSession::pidFrame, "pid");
    add(&LinkSession::gpsFrame, "gps");
    add(&LinkSession::targetFrame, "target");
    add(&LinkSession::statusFrame, "status");
    add(&LinkSession::magRangeFrame, "magRange");
    add(&LinkSession::flowFrame, "flow");
    add(&LinkSession::checksumError, "checksum");
    add(&LinkSession::headerMissing, "noHeader");
    add(&LinkSession::overflowed, "overflow");
    add(&LinkSession::deviceLost, "deviceLost");
    add(&LinkSession::portClosed, "closed");
    QObject::connect(&s, &LinkSession::frameReceived, &s, [this](std::uint8_t type) {
      events << QString::asprintf("frame %02X", type);
    });
  }
  QStringList events;
};

class LinkSessionTest : public ::testing::Test {
 protected:
  LinkSessionTest() : station_(port_, [this] { return now_; }), recorder_(station_.session) {}

  void DeliverFrame(std::uint8_t type, int payload_size) {
    port_.Deliver(link::BuildFrame(type, Bytes(static_cast<std::size_t>(payload_size), 0)));
  }
  LinkSession& session() { return station_.session; }

  test_support::FakeSerialPort port_;
  Nanos now_ = 1'000'000'000;
  Station station_;
  Recorder recorder_;
};

struct KindCase {
  std::uint8_t type;
  const char* signal;
};

class LinkSessionKindTest : public LinkSessionTest,
                            public ::testing::WithParamInterface<KindCase> {};

TEST_P(LinkSessionKindTest, AFrameReachesOnlyTheSinksOfItsKindAndAShortOneNobody) {
  const KindCase& c = GetParam();
  const int layout = link::LayoutSize(c.type);
  DeliverFrame(c.type, layout);
  EXPECT_EQ(recorder_.events,
            QStringList({QString::asprintf("frame %02X", c.type), QString(c.signal)}));
  recorder_.events.clear();
  DeliverFrame(c.type, layout - 1);
  EXPECT_EQ(recorder_.events, QStringList({QString::asprintf("frame %02X", c.type)}));
  EXPECT_EQ(station_.health.Snapshot(now_, {}).short_frames, 1u);
  EXPECT_EQ(station_.health.frames_of(c.type), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    All, LinkSessionKindTest,
    ::testing::Values(KindCase{link::kTypeImu, "imu"}, KindCase{link::kTypeMotion, "motion"},
                      KindCase{link::kTypePwmIn, "pwmIn"}, KindCase{link::kTypePwmOut, "pwmOut"},
                      KindCase{link::kTypeTrack, "track"}, KindCase{0xD1, "pid"},
                      KindCase{0xD5, "pid"}, KindCase{link::kTypeGps, "gps"},
                      KindCase{link::kTypeTarget, "target"}, KindCase{link::kTypeStatus, "status"},
                      KindCase{link::kTypeMagRange, "magRange"}, KindCase{link::kTypeFlow, "flow"}),
    [](const auto& info) { return std::string(info.param.signal) + std::to_string(info.index); });

TEST_F(LinkSessionTest, UnknownTypesAndBadFramesAreOnlyReportedAndCounted) {
  DeliverFrame(0xE0, 0);
  DeliverFrame(0xD6, 12);
  port_.Deliver(Bytes{0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA});
  port_.Deliver(Bytes(101, 0x00));
  EXPECT_EQ(recorder_.events, QStringList({"frame E0", "frame D6", "checksum", "noHeader"}));
  const LinkHealthSnapshot h = station_.health.Snapshot(now_, {});
  EXPECT_EQ(h.unknown_types, 2u);
  EXPECT_EQ(h.checksum_errors, 1u);
  EXPECT_EQ(h.header_missing, 1u);
  EXPECT_EQ(h.bytes_received, 6u + 18u + 6u + 101u);
}

TEST_F(LinkSessionTest, TheStationsRecordsAreFilledBeforeOtherSinksRun) {
  float yaw_seen = -1;
  QObject::connect(&session(), &LinkSession::imuFrame, &session(),
                   [&](const link::ImuReport&) { yaw_seen = station_.telemetry.yaw; });
  Bytes imu(14, 0);
  imu[1] = 123;  // yaw 12.3
  port_.Deliver(link::BuildFrame(link::kTypeImu, imu));
  EXPECT_FLOAT_EQ(yaw_seen, 12.3f);
  EXPECT_TRUE(station_.telemetry.imu_new);
  EXPECT_EQ(station_.telemetry.imu_frame_count, 1);
}

TEST_F(LinkSessionTest, BytesDeliveredWhileASinkRunsAreHandledAfterwardsInOrder) {
  bool nested = false;
  QObject::connect(&session(), &LinkSession::imuFrame, &session(), [&] {
    if (nested) return;
    nested = true;  // as if the sink ran the event loop and the port delivered more
    port_.Deliver(link::BuildFrame(link::kTypeFlow, Bytes(4, 0)));
  });
  Bytes two = link::BuildFrame(link::kTypeImu, Bytes(14, 0));
  const Bytes gps = link::BuildFrame(link::kTypeGps, Bytes(15, 0));
  two.insert(two.end(), gps.begin(), gps.end());
  port_.Deliver(two);
  EXPECT_EQ(recorder_.events,
            QStringList({"frame A1", "imu", "frame A3", "gps", "frame 0F", "flow"}));
}

TEST_F(LinkSessionTest, FramesOfOneDeliveryAreTimedByTheirPlaceInIt) {
  // 115200 8N1: 86.8 us a byte. The delivery arrives with its last byte at `now_`.
  Bytes both = link::BuildFrame(link::kTypeFlow, Bytes(4, 0));             // 10 bytes
  const Bytes status = link::BuildFrame(link::kTypeStatus, Bytes(10, 0));  // 16 bytes
  both.insert(both.end(), status.begin(), status.end());
  port_.Deliver(both);
  const LinkHealthSnapshot h = station_.health.Snapshot(now_, port_.line_settings());
  ASSERT_EQ(h.types.size(), 2u);
  EXPECT_NEAR(h.types[0].since_last_s, 16 * 10 / 115200.0, 1e-7);  // 0x0F, 16 bytes before
  EXPECT_NEAR(h.types[1].since_last_s, 0, 1e-9);                   // 0xA6, the last byte
}

TEST_F(LinkSessionTest, OneClosePathForTheSwitchTheCloseOperationAndALostDevice) {
  port_.Open();
  session().port_open_requested = true;
  port_.Deliver(Bytes{0xA5, 0x5A, 0x12, 0xA1});
  session().ClosePort();
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_FALSE(session().port_open_requested);
  EXPECT_FALSE(session().receiver().receiving());
  EXPECT_EQ(recorder_.events, QStringList({"closed"}));

  port_.Open();
  session().port_open_requested = true;
  port_.Deliver(Bytes{0xA5, 0x5A, 0x12, 0xA1});
  port_.LoseDevice();
  EXPECT_FALSE(session().port_open_requested);
  EXPECT_FALSE(session().receiver().receiving());
  EXPECT_EQ(recorder_.events, QStringList({"closed", "deviceLost", "closed"}));
  EXPECT_EQ(station_.health.Snapshot(now_, {}).device_losses, 1u);
}

TEST_F(LinkSessionTest, OverflowDiscardsOnceAndKeepsTheFrameInProgress) {
  port_.Deliver(Bytes{0xA5, 0x5A, 0x04});
  const int discards = port_.discards;
  port_.SignalOverflow();
  EXPECT_EQ(port_.discards, discards + 1);
  EXPECT_TRUE(session().receiver().receiving());
  EXPECT_EQ(recorder_.events, QStringList({"overflow"}));
  EXPECT_EQ(station_.health.Snapshot(now_, {}).overflows, 1u);
}

TEST_F(LinkSessionTest, SenderIsSilentWhileClosedAndWritesLogsAndCountsWhileOpen) {
  QStringList log;
  int sent = 0;
  CommandSender& sender = station_.sender;
  QObject::connect(&sender, &CommandSender::message, [&](const QString& l) { log << l; });
  QObject::connect(&sender, &CommandSender::sent, [&] { ++sent; });
  EXPECT_FALSE(sender.SendLogged(link::GyroZeroCommand(), QStringLiteral("陀螺标零偏")));
  EXPECT_FALSE(sender.Send(link::ReadPidCommand(1)));
  EXPECT_TRUE(port_.written.empty());
  EXPECT_TRUE(log.isEmpty());
  EXPECT_EQ(sent, 0);

  port_.Open();
  EXPECT_TRUE(sender.SendLogged(link::GyroZeroCommand(), QStringLiteral("陀螺标零偏")));
  EXPECT_TRUE(sender.Send(link::ReadPidCommand(1)));
  EXPECT_EQ(port_.written, (std::vector<Bytes>{{0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA},
                                               {0xA5, 0x5A, 0x04, 0xD1, 0xD5, 0xAA}}));
  EXPECT_EQ(log, QStringList({"陀螺标零偏 命令已经发送！", "命令格式(HEX): A5 5A 04 E0 E4 AA"}));
  EXPECT_EQ(sent, 2);
  EXPECT_EQ(station_.health.Snapshot(now_, {}).bytes_sent, 12u);
}

}  // namespace
}  // namespace tarvel::station
