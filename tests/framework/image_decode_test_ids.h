// Resource ids of image_decode_test.rc.
#pragma once

#define IDR_TEST_PICTURE 101
