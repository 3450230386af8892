#pragma once
// Numbers of the saver's resources and of the controls in its dialog templates. Plain
// defines, so that the resource compiler reads this file as well as the C++ compiler.

// Description string that the shell lists for the saver.
#define IDS_DESCRIPTION 1

// Dialog templates.
#define IDD_SETTINGS 102
#define IDD_ABOUT 103

// Bitmaps: the About picture, the settings dialog's sample, and the 256-colour palette picture.
#define IDB_ABOUT 104
#define IDB_SAMPLE 106
#define IDB_PALETTE 11999
// The About picture and the sample painted again at 150 % and 200 %, for scaled desktops.
#define IDB_ABOUT_150 107
#define IDB_ABOUT_200 108
#define IDB_SAMPLE_150 109
#define IDB_SAMPLE_200 110

// The icon.
#define IDI_SLIDE 100

// The slideshow pictures, resource type "JPEG", numbered consecutively.
#define IDR_PICTURE_FIRST 11001
#define IDR_PICTURE_COUNT 6

// Controls of the settings dialog.
#define IDC_HOLD_BAR 1013
#define IDC_HOLD_NUMBER 1014
#define IDC_PICTURE 1015
#define IDC_BRIGHTNESS_NUMBER 1016
#define IDC_BRIGHTNESS_BAR 1017
#define IDC_DEFAULTS 1018
#define IDC_ABOUT 1019
#define IDC_BRIGHTNESS_LABEL 1020
#define IDC_HOLD_LABEL 1021
#define IDC_EFFECT_LABEL 1033
#define IDC_FADE_RADIO 1034
#define IDC_SHADE_RADIO 1035
#define IDC_BLOCK_RADIO 1036

// Controls without a number of their own (the credit lines, the About picture).
#define IDC_NONE -1
