// Resource identifiers of the program, kept by hand and grouped by kind.
#pragma once

// The main frame: document strings, application icon, menu and accelerators share one number.
#define IDR_MAINFRAME 128
#define IDI_DOCUMENT 129
#define IDM_ABOUT_ITEM 65535

// The launcher panel. Face bitmaps are listed with the panel's buttons (src/panel/panel_layout.h)
// and in bitmaps.rc; the alternative set is each identifier plus 1000. The same pictures drawn at
// 125 to 200 % are resources of type PNG, numbered percent * 100 + bitmap identifier.
#define IDB_PANEL 144
#define IDR_CLICK 150

// The message of a start that could not make the main window; the name of each step of making
// it is IDS_START_STEP plus the step's number (CreateStep, src/framework/create_failure.h).
#define IDS_START_FAILED 300
#define IDS_START_STEP 301

// Dialogs
#define IDD_ABOUTBOX 200

// Unit converter windows
#define IDD_LENGTH 102
#define IDD_TEMPERATURE 133
#define IDD_SPEED 134
#define IDD_AREA 136
#define IDD_VOLUME 137
#define IDD_TIME 138
#define IDD_WEIGHT 139

// Length window fields
#define IDC_LENGTH_KILOMETRE 1008
#define IDC_LENGTH_INCH 1009
#define IDC_LENGTH_CENTIMETRE 1010
#define IDC_LENGTH_MILLIMETRE 1011
#define IDC_LENGTH_MILE 1012
#define IDC_LENGTH_YARD 1013
#define IDC_LENGTH_FOOT 1014
#define IDC_LENGTH_METRE 1015

// Area window fields
#define IDC_AREA_SQ_KILOMETRE 1020
#define IDC_AREA_SQ_CENTIMETRE 1021
#define IDC_AREA_SQ_FOOT 1022
#define IDC_AREA_SQ_METRE 1023
#define IDC_AREA_SQ_MILE 1024
#define IDC_AREA_SQ_INCH 1025
#define IDC_AREA_HECTARE 1026
#define IDC_AREA_ACRE 1027

// Volume window fields
#define IDC_VOLUME_LITRE 1028
#define IDC_VOLUME_PINT 1030
#define IDC_VOLUME_QUART 1033
#define IDC_VOLUME_GALLON 1034
#define IDC_VOLUME_CU_METRE 1036
#define IDC_VOLUME_CU_INCH 1037
#define IDC_VOLUME_CU_CENTIMETRE 1038
#define IDC_VOLUME_CU_FOOT 1056

// Weight window fields
#define IDC_WEIGHT_TON 1011
#define IDC_WEIGHT_GRAM 1014
#define IDC_WEIGHT_KILOGRAM 1017
#define IDC_WEIGHT_POUND 1018
#define IDC_WEIGHT_OUNCE 1019

// Speed window fields
#define IDC_SPEED_KM_PER_HOUR 1008
#define IDC_SPEED_FOOT_PER_SECOND 1009
#define IDC_SPEED_CM_PER_SECOND 1010
#define IDC_SPEED_MILE_PER_HOUR 1012
#define IDC_SPEED_METRE_PER_SECOND 1015
#define IDC_SPEED_KNOT 1031

// Time-duration window fields
#define IDC_TIME_SECOND 1010
#define IDC_TIME_MINUTE 1011
#define IDC_TIME_HOUR 1012
#define IDC_TIME_WEEK 1014
#define IDC_TIME_YEAR 1015
#define IDC_TIME_DECADE 1016
#define IDC_TIME_CENTURY 1027
#define IDC_TIME_DAY 1038

// Temperature window fields
#define IDC_TEMP_CELSIUS 1003
#define IDC_TEMP_FAHRENHEIT 1004
#define IDC_TEMP_KELVIN 1032

// Date window. Its up-down controls are made at run time, each with its field's identifier
// plus 1000.
#define IDD_DATE 132
#define IDC_GREGORIAN_YEAR 1002
#define IDC_GREGORIAN_DAY 1003
#define IDC_HIJRI_YEAR 1005
#define IDC_HIJRI_DAY 1006
#define IDC_WEEKDAY 1008
#define IDC_GREGORIAN_MONTH 1009
#define IDC_HIJRI_MONTH 1010
#define IDC_GREGORIAN_YEAR_SPIN 2002
#define IDC_GREGORIAN_DAY_SPIN 2003
#define IDC_HIJRI_YEAR_SPIN 2005
#define IDC_HIJRI_DAY_SPIN 2006
#define IDC_GREGORIAN_MONTH_SPIN 2009
#define IDC_HIJRI_MONTH_SPIN 2010

// Clothing sizes pages (the same lists on both)
#define IDD_MEN_SIZES 141
#define IDD_WOMEN_SIZES 142
#define IDC_SIZE_GARMENT_US 1019
#define IDC_SIZE_GARMENT_UK 1020
#define IDC_SIZE_GARMENT_FR 1021
#define IDC_SIZE_SHOE_US 1025
#define IDC_SIZE_SHOE_UK 1026
#define IDC_SIZE_SHOE_FR 1027

// World time window
#define IDD_WORLDTIME 156
#define IDC_WT_FIRST_HOUR_SPIN 103
#define IDC_WT_FIRST_MINUTE_SPIN 104
#define IDC_WT_SECOND_MINUTE_SPIN 106
#define IDC_WT_SECOND_HOUR_SPIN 107
#define IDC_WT_LOCAL_HOUR_SPIN 108
#define IDC_WT_LOCAL_MINUTE_SPIN 109
#define IDC_WT_SECOND_PLACE 1010
#define IDC_WT_FIRST_TIME 1013
#define IDC_WT_SECOND_TIME 1014
#define IDC_WT_LOCAL_TIME 1015
#define IDC_WT_FIRST_PLACE 1044
#define IDC_WT_LOCAL_NOW 1052
#define IDC_WT_24_HOUR 1055
