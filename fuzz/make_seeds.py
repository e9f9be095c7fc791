#!/usr/bin/env python3
"""Writes the seed inputs of link_fuzz into fuzz/seeds/.

Each seed is one control byte (how link_fuzz cuts the stream into pieces) followed by a serial
stream. Run it again after changing the seeds here; the files are kept in the repository.
"""
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def frame(type_, payload=b""):
    body = bytes([len(payload) + 4, type_]) + bytes(payload)
    return b"\xa5\x5a" + body + bytes([sum(body) & 0xFF, 0xAA])


def f32(*values):
    return b"".join(struct.pack("<f", v) for v in values)


PID = f32(1.5, 0.02, 0.3)
IMU = bytes.fromhex("a55a12a1007b802d000001f400fa27940032b7aa")
MOTION = bytes.fromhex("a55a16a200788023400000058002000080d20057819054aa")

noise = random.Random(20261209)

SEEDS = {
    # Good frames of every known TYPE, as the protocol notes give them.
    "imu": (0x07, IMU),
    "motion": (0x03, MOTION),
    "pwm_in": (0x05, frame(0x12, bytes.fromhex("05dc05dc03e807d005dc05dc"))),
    "pwm_out": (0x06, frame(0x13, bytes.fromhex("03e8044c04b00514057805dc0640ffff"))),
    "track": (0x02, frame(0x15, f32(12.5, -3.25, 0.1))),
    "track_non_finite": (0x07, frame(0x15, f32(float("nan"), float("inf"), float("-inf")))),
    "pid_loops": (0x04, b"".join(frame(0xD0 + loop, PID) for loop in range(1, 6))),
    "gps": (0x01, frame(0xA3, bytes.fromhex("00124ffaffedb006fff6090d05007b"))),
    "target": (0x0D, frame(0xA5, bytes.fromhex("00124ffa0004c41901f4000aff9c0005"))),
    "status": (0x15, frame(0xA6, bytes.fromhex("02007e003207ffffffff"))),
    "mag_range": (0x1E, frame(0xA4, bytes.fromhex("01f400c8806481f480c80064"))),
    "flow": (0x07, frame(0x0F, bytes.fromhex("00038002"))),
    "command": (0x00, bytes.fromhex("a55a04e0e4aa")),
    "smallest_frame": (0x00, bytes.fromhex("a55a0303aa")),
    # Frames the receiver or the decoders must turn away.
    "short_imu": (0x07, frame(0xA1, bytes(13))),
    "bad_checksum": (0x01, bytes.fromhex("a55a04e0e5aa")),
    "header_gap": (0x02, bytes.fromhex("a5015a04e0e4aa") + bytes.fromhex("a5a5a55a04e1e5aa")),
    "len101": (0x07, frame(0x77, bytes(range(1, 98)))),
    "len102": (0x06, frame(0x77, bytes(range(1, 99))) + IMU),
    "inner_header": (0x03, frame(0xA1, bytes.fromhex("00a5007b5a00") + bytes(8)) + IMU),
    "tail_in_payload": (0x05, frame(0x15, bytes.fromhex("aaaa48410000aac0cdccaa3d"))),
    "abandoned_len1": (0x01, bytes.fromhex("a55a01") + bytes(100) + bytes.fromhex("a55aaa") + IMU),
    "noise": (0x07, bytes(noise.choice([b for b in range(256) if b != 0xA5]) for _ in range(330))),
    "mixed_with_resets": (0x84, IMU + MOTION + bytes.fromhex("a55a04e0e5aa") + IMU[:9] + IMU),
}


def main():
    folder = os.path.join(HERE, "seeds")
    os.makedirs(folder, exist_ok=True)
    for name, (control, stream) in SEEDS.items():
        data = bytes([control]) + stream
        assert len(data) < 4096, name
        with open(os.path.join(folder, name + ".bin"), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
