#pragma once
// Resources that only the images test executable carries, made at build time by
// image_test_resources. Plain defines, so the resource compiler reads them too.
#define IDR_TEST_TEN_BYTES 12001
#define IDR_TEST_BLOCK 12002
#define IDR_TEST_EMPTY 12003
#define IDR_TEST_TRUNCATED 12004
#define IDR_TEST_RANDOM 12005
#define IDR_TEST_GREY 12006
#define IDR_TEST_COLOUR 12007
#define IDR_TEST_NARROW 12008
#define IDR_TEST_CMYK 12009
#define IDR_TEST_MISSING 12099
#define IDB_TEST_TRUE_COLOUR 12101
#define IDB_TEST_INDEXED 12102
#define IDB_TEST_MISSING 12199
