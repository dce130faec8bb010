/* A program outside the tree that builds against the installed headers and
 * shared libraries: prints the format code of U4 (zoredit) and the fields
 * of a line (textscan). Given CNF FIL SOURCE, it also loads that equipment
 * and writes it back as definition source to SOURCE (a round trip). */
#include <stdio.h>
#include <textscan.h>
#include <zoredit.h>

int main(int argc, char** argv) {
    char* items[4];
    int count = get_field_item("def_sv, 2001, \"SV_TEMP\"", items, ",", 4, 32);
    printf("U4=%d fields=%d", zor_get_item_code("U4"), count);
    for (int i = 0; i < count; ++i) printf(" [%s]", items[i]);
    printf("\n");
    free_item_mem(items, count);
    if (argc == 4) {
        char err[512] = "";
        int loaded = GemEditSetupEquipment(0, argv[1], argv[2], err, (int)sizeof err);
        if (loaded < 0 || ZorWriteEqInfo(argv[3]) != 0) {
            if (!err[0]) ZorGetLastError(err, (int)sizeof err);
            fprintf(stderr, "consumer: %s\n", err);
            return 1;
        }
        printf("definitions=%d written=%s\n", loaded, argv[3]);
        GemTerminateLibrary();
    }
    return 0;
}
