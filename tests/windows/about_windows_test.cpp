#include "windows/about_windows.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

namespace tarvel::windows {
namespace {

TEST(AboutWindowsTest, OkHidesAndTheWindowShowsAgainUnchanged) {
  about a;
  a.show();
  const QString version = a.Label3->text();
  a.Command1->click();
  EXPECT_FALSE(a.isVisible());
  a.show();
  EXPECT_TRUE(a.isVisible());
  EXPECT_EQ(a.Label3->text(), version);
  EXPECT_EQ(a.windowTitle(), "关于本程序-Tarvel AHRS上位机");
  EXPECT_EQ(version, "Tarvel AHRS Fight上位机 版本: Release-2.8");
  EXPECT_FALSE(a.Picture1->pixmap().isNull());
}

TEST(AboutWindowsTest, FlightControllerWindowTexts) {
  flyabout f;
  EXPECT_EQ(f.windowTitle(), QStringLiteral("关于飞控 ") + station::kSiteHost);
  EXPECT_EQ(f.Label1->text(), "Voranta飞控上位机  版本 Release-2.8");
  EXPECT_EQ(f.Label3->text(), QStringLiteral("官方网址  ") + station::kShopAddress);
  f.show();
  f.Command1->click();
  EXPECT_FALSE(f.isVisible());
}

}  // namespace
}  // namespace tarvel::windows
