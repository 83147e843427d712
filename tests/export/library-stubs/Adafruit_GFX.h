/* The parts of Adafruit GFX a font header needs, as gfxfont.h describes
   them, so that exported fonts compile without the library. */
#ifndef ZELVIK_TEST_ADAFRUIT_GFX_H
#define ZELVIK_TEST_ADAFRUIT_GFX_H
#include <stdint.h>
#ifdef __AVR__
#include <avr/pgmspace.h>
#else
#define PROGMEM
#endif
typedef struct {
    uint16_t bitmapOffset;
    uint8_t width;
    uint8_t height;
    uint8_t xAdvance;
    int8_t xOffset;
    int8_t yOffset;
} GFXglyph;
typedef struct {
    uint8_t* bitmap;
    GFXglyph* glyph;
    uint16_t first;
    uint16_t last;
    uint8_t yAdvance;
} GFXfont;
#endif
