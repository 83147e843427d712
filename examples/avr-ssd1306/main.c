/* Draws text with a font exported by Zelvik as C on an SSD1306 128x64 OLED,
 * wired to an ATmega328P's hardware SPI:
 *   MOSI PB3 -> D1 (SDIN), SCK PB5 -> D0 (SCLK),
 *   PB2 -> CS, PB1 -> D/C, PB0 -> RES.
 *
 * The text goes into a frame buffer in RAM (1 KiB of the 2 KiB), laid out as
 * the display's memory is: eight pages of 128 column bytes, the top pixel of
 * each page in bit 0. A string may start at any row; then the buffer is sent
 * page by page.
 *
 * The font is exported with the SSD1306 display preset (vertical bytes, top
 * row in the least significant bit). With -DFONT_HORIZONTAL it is exported
 * with a horizontal preset whose rows start at the most significant bit
 * (ST7920), and the characters are turned into columns while drawing.
 *
 * With -DFONT_ASM_ADDRESS=A the font is the AVR assembler export instead,
 * assembled by avra at byte address A of the flash and merged into the image
 * (make asm): its table holds the word address of each character. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <stdint.h>

#ifndef FONT_ASM_ADDRESS
#include "font.h"
#endif

/* The export holds each character's width but not the font's height: take it
 * from "Characters y-size" in the statistics at the top of font.c. */
#ifndef FONT_HEIGHT
#error "define FONT_HEIGHT as the font's y-size"
#endif

#define WIDTH 128
#define HEIGHT 64
#define PAGES (HEIGHT / 8)

#define PIN_RES PB0
#define PIN_DC PB1
#define PIN_CS PB2

static uint8_t frame[PAGES][WIDTH];

struct text_line {
    uint8_t x, y;
    const char* text;
};

#include "screen.h"

static void spi_send(uint8_t byte) {
    SPDR = byte;
    while (!(SPSR & (1 << SPIF)))
        ;
}

static void send_commands(const uint8_t* bytes, uint8_t count) {
    PORTB &= (uint8_t) ~(1 << PIN_DC);
    PORTB &= (uint8_t) ~(1 << PIN_CS);
    while (count--)
        spi_send(*bytes++);
    PORTB |= (1 << PIN_CS);
}

static void display_init(void) {
    DDRB |= (1 << PB3) | (1 << PB5) | (1 << PIN_CS) | (1 << PIN_DC) | (1 << PIN_RES);
    PORTB |= (1 << PIN_CS) | (1 << PIN_RES);
    SPCR = (1 << SPE) | (1 << MSTR); /* mode 0, F_CPU / 4 */
    /* RES low for at least 3 us, then high. */
    PORTB &= (uint8_t) ~(1 << PIN_RES);
    for (volatile uint8_t i = 0; i < 50; ++i)
        ;
    PORTB |= (1 << PIN_RES);

    static const uint8_t init[] = {
        0xAE,       /* display off */
        0xD5, 0x80, /* clock */
        0xA8, 0x3F, /* 64 rows */
        0xD3, 0x00, /* no vertical offset */
        0x8D, 0x14, /* charge pump on */
        0x20, 0x02, /* page addressing */
        0xA0,       /* column 0 at the left */
        0xC0,       /* row 0 at the top */
        0xDA, 0x12, /* COM pins of a 128x64 panel */
        0x81, 0xCF, /* contrast */
        0xD9, 0xF1, /* precharge */
        0xDB, 0x40, /* VCOMH */
        0xA4,       /* show the RAM */
        0xA6,       /* not inverted */
        0xAF,       /* display on */
    };
    send_commands(init, sizeof init);
}

static void display_flush(void) {
    for (uint8_t page = 0; page < PAGES; ++page) {
        const uint8_t at[] = {(uint8_t)(0xB0 | page), 0x00, 0x10};
        send_commands(at, sizeof at);
        PORTB |= (1 << PIN_DC);
        PORTB &= (uint8_t) ~(1 << PIN_CS);
        for (uint8_t x = 0; x < WIDTH; ++x)
            spi_send(frame[page][x]);
        PORTB |= (1 << PIN_CS);
    }
}

static void set_pixel(int16_t x, int16_t y) {
    if (x >= 0 && x < WIDTH && y >= 0 && y < HEIGHT)
        frame[y >> 3][x] |= (uint8_t)(1 << (y & 7));
}

/* Character c: its x-size, then its data. Codes the font does not define
 * point at its blank character. */
static TCDATA* font_glyph(uint8_t c) {
#ifdef FONT_ASM_ADDRESS
    /* The export doubles the labels, which count words: byte addresses. */
    const __flash uint16_t* table = (const __flash uint16_t*)FONT_ASM_ADDRESS;
    return (TCDATA*)table[c];
#else
    return font[c];
#endif
}

/* Draws character c with its top-left corner at (x, y); returns its x-size. */
static uint8_t draw_char(int16_t x, int16_t y, uint8_t c) {
    TCDATA* glyph = font_glyph(c);
    const uint8_t w = glyph[0];
    const TCDATA* data = glyph + 1;
#ifndef FONT_HORIZONTAL
    /* One column after another, ceil(height / 8) bytes each, the first byte
     * holding rows 0-7 with row 0 in bit 0. */
    const uint8_t per_column = (FONT_HEIGHT + 7) / 8;
    for (uint8_t col = 0; col < w; ++col) {
        for (uint8_t row = 0; row < FONT_HEIGHT; ++row) {
            if (data[col * per_column + (row >> 3)] & (1 << (row & 7)))
                set_pixel(x + col, y + row);
        }
    }
#else
    /* One row after another, ceil(width / 8) bytes each, the leftmost pixel
     * in bit 7 of the first byte. */
    const uint8_t per_row = (uint8_t)((w + 7) / 8);
    for (uint8_t row = 0; row < FONT_HEIGHT; ++row) {
        for (uint8_t col = 0; col < w; ++col) {
            if (data[row * per_row + (col >> 3)] & (0x80 >> (col & 7)))
                set_pixel(x + col, y + row);
        }
    }
#endif
    return w;
}

/* Draws a string from (x, y), one clear column after each character. */
static void draw_string(int16_t x, int16_t y, const char* s) {
    while (*s)
        x += draw_char(x, y, (uint8_t)*s++) + 1;
}

int main(void) {
    display_init();
    for (uint8_t i = 0; i < sizeof screen / sizeof screen[0]; ++i)
        draw_string(screen[i].x, screen[i].y, screen[i].text);
    display_flush();
    /* Done: sleep for good (a simulator ends here). */
    cli();
    set_sleep_mode(SLEEP_MODE_PWR_DOWN);
    sleep_enable();
    sleep_cpu();
    for (;;)
        ;
}
