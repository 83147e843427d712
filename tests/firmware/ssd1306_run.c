/* Runs an ATmega328P firmware in simavr with an SSD1306 128x64 attached to its
 * SPI (CS PB2, D/C PB1, RES PB0) until the firmware sleeps with interrupts off
 * or a cycle limit is reached, then writes the display's memory as a plain
 * PBM picture (1 = lit).
 *
 *   ssd1306_run FIRMWARE.elf|FIRMWARE.hex MAX_CYCLES OUT.pbm
 *
 * An Intel hex image is put into flash as a programmer would write it, every
 * record at its address, so that data assembled apart from the firmware and
 * merged into its image lands where it was assembled for.
 *
 * Prints the cycles run and the wall time taken. Exit status 0 when the
 * firmware finished, 1 otherwise. */
#include <avr_ioport.h>
#include <sim_avr.h>
#include <sim_elf.h>
#include <sim_hex.h>
#include <ssd1306_virt.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s FIRMWARE.elf|FIRMWARE.hex MAX_CYCLES OUT.pbm\n", argv[0]);
        return 2;
    }
    const unsigned long long maxCycles = strtoull(argv[2], NULL, 10);

    const size_t nameLength = strlen(argv[1]);
    const int hex = nameLength > 4 && strcmp(argv[1] + nameLength - 4, ".hex") == 0;
    elf_firmware_t firmware;
    memset(&firmware, 0, sizeof firmware);
    if (!hex && elf_read_firmware(argv[1], &firmware) != 0) {
        fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    avr_t* avr = avr_make_mcu_by_name("atmega328p");
    if (!avr) {
        fprintf(stderr, "simavr has no atmega328p\n");
        return 1;
    }
    avr_init(avr);
    if (hex) {
        ihex_chunk_p chunks = NULL;
        const int count = read_ihex_chunks(argv[1], &chunks);
        if (count <= 0) {
            fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        for (int i = 0; i < count; ++i) {
            if (chunks[i].baseaddr + chunks[i].size > avr->flashend + 1) {
                fprintf(stderr, "%s: data at 0x%x lies outside the flash\n", argv[1],
                        (unsigned)chunks[i].baseaddr);
                return 1;
            }
            avr_loadcode(avr, chunks[i].data, chunks[i].size, chunks[i].baseaddr);
        }
        free_ihex_chunks(chunks);
    } else {
        avr_load_firmware(avr, &firmware);
    }
    avr->frequency = 16000000;
    avr->log = LOG_ERROR;

    ssd1306_t display;
    ssd1306_init(avr, &display, 128, 64);
    ssd1306_wiring_t wiring = {
        .chip_select = {'B', 2}, .data_instruction = {'B', 1}, .reset = {'B', 0}};
    ssd1306_connect(&display, &wiring);

    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int state = cpu_Running;
    while (avr->cycle < maxCycles) {
        state = avr_run(avr);
        if (state == cpu_Done || state == cpu_Crashed)
            break;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double ms =
        (double)(end.tv_sec - start.tv_sec) * 1e3 + (double)(end.tv_nsec - start.tv_nsec) / 1e6;
    printf("cycles %llu time %.1f ms\n", (unsigned long long)avr->cycle, ms);

    FILE* out = fopen(argv[3], "w");
    if (!out) {
        fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    fprintf(out, "P1\n128 64\n");
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x)
            fputc((display.vram[y / 8][x] >> (y % 8)) & 1 ? '1' : '0', out);
        fputc('\n', out);
    }
    fclose(out);
    if (state != cpu_Done) {
        fprintf(stderr, "the firmware did not finish (state %d)\n", state);
        return 1;
    }
    return 0;
}
