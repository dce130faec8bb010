/* A program outside the tree that builds against the installed headers and
 * shared libraries: prints the format code of U4 (zoredit) and the fields
 * of a line (textscan). */
#include <stdio.h>
#include <textscan.h>
#include <zoredit.h>

int main(void) {
    char* items[4];
    int count = get_field_item("def_sv, 2001, \"SV_TEMP\"", items, ",", 4, 32);
    printf("U4=%d fields=%d", zor_get_item_code("U4"), count);
    for (int i = 0; i < count; ++i) printf(" [%s]", items[i]);
    printf("\n");
    free_item_mem(items, count);
    return 0;
}
