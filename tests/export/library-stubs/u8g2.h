/* U8G2_FONT_SECTION as u8g2 defines it: fonts go to flash on AVR. */
#ifndef ZELVIK_TEST_U8G2_H
#define ZELVIK_TEST_U8G2_H
#include <stdint.h>
#ifdef __AVR__
#define U8G2_FONT_SECTION(name) __attribute__((section(".progmem." name)))
#else
#define U8G2_FONT_SECTION(name)
#endif
#endif
