/* Types for a Zelvik C export on AVR, put in flash instead of RAM.
 *
 * The exported header defines TCDATA, TCLISTP and b2b only when ZelvikTypes is
 * not defined yet, so this file, included ahead of it (the Makefile passes it
 * to the compiler with -include), places both the character data and the
 * pointer table in program memory. GNU C's __flash makes every read an LPM. */
#ifndef FONT_TYPES_H
#define FONT_TYPES_H

#define ZelvikTypes

typedef const __flash unsigned char TCDATA;
typedef TCDATA* const __flash TCLISTP;

#define b2b(b7, b6, b5, b4, b3, b2, b1, b0)                                                        \
    ((unsigned char)((b7)*128u + (b6)*64u + (b5)*32u + (b4)*16u + (b3)*8u + (b2)*4u + (b1)*2u +    \
                     (b0)))

#endif
