#pragma once
// Code page 1252 as the system converts single bytes, with the five bytes it leaves unassigned
// reported as not convertible (as a strict conversion does).
inline int codePage1252(unsigned char byte) {
  static const int upper[32] = {0x20AC, -1,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, -1,     0x017D, -1,
                                -1,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, -1,     0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? upper[byte - 0x80] : byte;
}
