/* The font types of LVGL 8 or 9 (LVGL_VERSION_MAJOR given on the command
   line) as lv_font.h and lv_font_fmt_txt.h declare them. */
#ifndef ZELVIK_TEST_LVGL_H
#define ZELVIK_TEST_LVGL_H
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
/* The releases most firmware uses: 8.3 and 9.1. */
#if LVGL_VERSION_MAJOR == 8
#define LVGL_VERSION_MINOR 3
#else
#define LVGL_VERSION_MINOR 1
#endif
#define LVGL_VERSION_PATCH 0
#define LV_VERSION_CHECK(x, y, z)                                                                  \
    (x == LVGL_VERSION_MAJOR &&                                                                    \
     (y < LVGL_VERSION_MINOR || (y == LVGL_VERSION_MINOR && z <= LVGL_VERSION_PATCH)))
#define LV_ATTRIBUTE_LARGE_CONST

typedef enum {
    LV_FONT_SUBPX_NONE,
    LV_FONT_SUBPX_HOR,
    LV_FONT_SUBPX_VER,
    LV_FONT_SUBPX_BOTH
} lv_font_subpx_t;

struct _lv_font_t;
typedef struct _lv_font_t {
    bool (*get_glyph_dsc)(const struct _lv_font_t*, void*, uint32_t, uint32_t);
    const void* (*get_glyph_bitmap)(const struct _lv_font_t*, uint32_t);
#if LVGL_VERSION_MAJOR >= 9
    void (*release_glyph)(const struct _lv_font_t*, void*);
#endif
    int32_t line_height;
    int32_t base_line;
    uint8_t subpx : 2;
#if LVGL_VERSION_MAJOR >= 9
    uint8_t kerning : 1;
    uint8_t static_bitmap : 1;
#endif
    int8_t underline_position;
    int8_t underline_thickness;
    const void* dsc;
    const struct _lv_font_t* fallback;
    void* user_data;
} lv_font_t;

typedef struct {
    uint32_t bitmap_index : 20;
    uint32_t adv_w : 12;
    uint8_t box_w;
    uint8_t box_h;
    int8_t ofs_x;
    int8_t ofs_y;
} lv_font_fmt_txt_glyph_dsc_t;

typedef enum {
    LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL,
    LV_FONT_FMT_TXT_CMAP_SPARSE_FULL,
    LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY,
    LV_FONT_FMT_TXT_CMAP_SPARSE_TINY,
} lv_font_fmt_txt_cmap_type_t;

typedef struct {
    uint32_t range_start;
    uint16_t range_length;
    uint16_t glyph_id_start;
    const uint16_t* unicode_list;
    const void* glyph_id_ofs_list;
    uint16_t list_length;
    lv_font_fmt_txt_cmap_type_t type;
} lv_font_fmt_txt_cmap_t;

typedef struct {
    uint32_t last_letter;
    uint32_t last_glyph_id;
} lv_font_fmt_txt_glyph_cache_t;

typedef struct {
    const uint8_t* glyph_bitmap;
    const lv_font_fmt_txt_glyph_dsc_t* glyph_dsc;
    const lv_font_fmt_txt_cmap_t* cmaps;
    const void* kern_dsc;
    uint16_t kern_scale;
    uint16_t cmap_num : 9;
    uint16_t bpp : 4;
    uint16_t kern_classes : 1;
    uint16_t bitmap_format : 2;
#if LVGL_VERSION_MAJOR == 8
    lv_font_fmt_txt_glyph_cache_t* cache;
#endif
} lv_font_fmt_txt_dsc_t;

#ifdef __cplusplus
extern "C" {
#endif
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t*, void*, uint32_t, uint32_t);
const void* lv_font_get_bitmap_fmt_txt(const lv_font_t*, uint32_t);
#ifdef __cplusplus
}
#endif
#endif
