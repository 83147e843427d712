/* What the firmware draws: one string per line, at its top-left pixel. */
static const struct text_line screen[] = {
    {0, 3, "Hello, world!"},
    {0, 24, "Zelvik on SSD1306"},
};
