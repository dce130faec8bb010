#pragma once
// Text scanning functions for Shift-JIS source text. C linkage: ZorCompile
// exports every one of these by name, and libtextscan.so carries them too.
//
// All texts are NUL-terminated byte strings. A Shift-JIS character (a lead
// byte 0x81-0x9F or 0xE0-0xFC and the byte after it) is always copied whole
// and never split or inspected. Character-class functions return 0 when the
// character belongs to the class and 1 when it does not.
//
// Field arrays: the caller provides an array of at least `max_item` pointers;
// each stored field is allocated with malloc and released by the caller with
// free_item_mem.

#ifdef __cplusplus
extern "C" {
#endif

#if defined(TEXTSCAN_NO_EXPORT)
// Built into another DLL, which exports only its own functions.
#define TEXTSCAN_API
#elif defined(_WIN32)
#define TEXTSCAN_API __declspec(dllexport)
#else
#define TEXTSCAN_API __attribute__((visibility("default")))
#endif

// ---- splitting ------------------------------------------------------------
// Mode 0: split "..", strip quotes, cut "//" comments. Mode 1: as 0, and a
// leading '-' is a sign too. Modes 2 and 5: keep ".." inside fields. Mode 3:
// keep "//", quotes and "..", an empty comma position gives a one-blank
// field. Returns the number of fields stored. A field holds at most max_len
// bytes; a Shift-JIS character or an escape is never split, so with max_len
// below 4 a lone \xNN escape may exceed it.
TEXTSCAN_API int get_field_item_common(int mode, const char* text, char** item, const char* sep,
                                       int max_item, int max_len);
TEXTSCAN_API int get_field_item(const char* text, char** item, const char* sep, int max_item,
                                int max_len);
TEXTSCAN_API int get_field_item_v(const char* text, char** item, const char* sep, int max_item,
                                  int max_len);
TEXTSCAN_API int get_msg_field_item(const char* text, char** item, const char* sep, int max_item,
                                    int max_len);
TEXTSCAN_API int get_field_item_c(const char* text, char** item, const char* sep, int max_item,
                                  int max_len);
TEXTSCAN_API int get_str_field_item(int comment_flag, const char* text, char** item,
                                    const char* sep, int max_item, int max_len);
TEXTSCAN_API void free_item_mem(char** item, int count);

// ---- trimming and copying (in place unless a destination is given) -------
TEXTSCAN_API char* trim(char* text);
TEXTSCAN_API char* trim_leader(char* text);
TEXTSCAN_API char* trim_trail(char* text);
TEXTSCAN_API char* remove_cr_lf(char* text);
TEXTSCAN_API void cut_space(char* text, int length);
TEXTSCAN_API void space_pad(char* buffer, int length);
TEXTSCAN_API void exp_str(char* text, int length);
TEXTSCAN_API void name_cpy(char* dst, const char* src, int length);
TEXTSCAN_API void strcpy_woff(char* dst, const char* src);
TEXTSCAN_API void strip_double_quote(char* text);
TEXTSCAN_API void double_quoted_str(char* text);
TEXTSCAN_API void change_char(char* text, int from, int to);
// Searches step over Shift-JIS characters: a trail byte is never found.
TEXTSCAN_API char* ck_char(const char* text, int c);
TEXTSCAN_API char* scan_char(const char* text, int c);
TEXTSCAN_API int separate_str(char* text, char* left, char* right, int separator);
TEXTSCAN_API void get_file_name(char* dst, const char* path);
TEXTSCAN_API void get_ext_name(char* dst, const char* path);
TEXTSCAN_API void to_upper(char* dst, const char* src);
TEXTSCAN_API void to_lower(char* dst, char* src);
TEXTSCAN_API int lower_to_upper(int c);
TEXTSCAN_API int upper_to_lower(int c);
TEXTSCAN_API void lower_to_upper_str(char* text);
TEXTSCAN_API void upper_to_lower_str(char* text);

// ---- character classes ------------------------------------------------------
TEXTSCAN_API int kanji_ck(int byte);  // 1 for a Shift-JIS lead byte, else 0
TEXTSCAN_API int a_ck(int c);
TEXTSCAN_API int n_ck(int c);
TEXTSCAN_API int an_ck(int c);
TEXTSCAN_API int an_at_ck(int c);
TEXTSCAN_API int x_ck(int c);
TEXTSCAN_API int ck_term(int c);
TEXTSCAN_API int ck_special_ch(int c);

// ---- numbers ------------------------------------------------------------
TEXTSCAN_API int atx(int c);
TEXTSCAN_API int a2toi(const char* text);
TEXTSCAN_API int a3toi(const char* text);
TEXTSCAN_API int x2toi(const char* text);
TEXTSCAN_API int s_atoi(const char* text);
TEXTSCAN_API int API_atoi(const char* text);
TEXTSCAN_API int s_atox(char* text);  // upper-cases the text in place
TEXTSCAN_API int s_atobool(const char* text);
TEXTSCAN_API void s_a8toi(unsigned char* buffer8, const char* text);
TEXTSCAN_API void s_shift_r_4(unsigned char* buffer, int length);
TEXTSCAN_API void change_byte_order(void* dst, const void* src, int length);
TEXTSCAN_API void API_memcpy(void* dst, const void* src, int count);
TEXTSCAN_API int get_sxfy_from_str(const char* text, int* stream, int* function);

// ---- escapes and file names -------------------------------------------------
TEXTSCAN_API int API_ck_dflt_esc(int byte);
TEXTSCAN_API int API_get_esc_char(int letter);
// dst may be src. dst must hold 4 * strlen(src) + 1 bytes (encode) or
// strlen(src) + 1 bytes (decode). Return the length written.
TEXTSCAN_API int API_str_encode(char* dst, const char* src);
TEXTSCAN_API int API_str_decode(char* dst, const char* src);
TEXTSCAN_API void API_encode_file_name(char* path);  // path needs 256 bytes
TEXTSCAN_API void API_decode_file_name(char* path);
TEXTSCAN_API int API_ck_file_exist(const char* path);
// 0 when the file was renamed to path + suffix or did not exist; -1 when the
// rename failed.
TEXTSCAN_API int API_rename_file(const char* path, const char* suffix);

// ---- misc -------------------------------------------------------------------
TEXTSCAN_API int API_set_debug(int flag);
TEXTSCAN_API int API_examine_str_var(const char* text);
// The line is trimmed in place. first and second receive fields of at most
// 128 bytes (buffers of 129), the marks " " or one letter (buffers of 2).
TEXTSCAN_API int API_get_edit_head(char* line, char* first, char* second, char* write_mark,
                                   char* end_mark);
// The line is trimmed in place after its indent (at most 255 blanks) has been
// copied. format, size and second_size get at most 10000 bytes, value 10002
// (quotes added to a text value): buffers of 10003 are always enough.
TEXTSCAN_API int API_get_edit_item(char* line, char* format, char* size, char* second_size,
                                   char* value, char* indent);
// Part 1 is "// " plus text, parts 1 and 2 end at most one byte past their
// width / (char_width + 0.2); part 3 holds at most 256 bytes (buffer of 257).
// width3 is not used.
TEXTSCAN_API void API_divide_string_3(const char* text, int char_width, int width1, int width2,
                                      int width3, char* part1, char* part2, char* part3);

#ifdef __cplusplus
}
#endif
