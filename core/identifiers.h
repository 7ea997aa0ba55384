/* Numbers shared by the calculator logic, the window code and the resource
   script. The resource compiler reads this file too, so it holds nothing but
   #define lines. Each number stands once within its group. */
#ifndef VELQUOR_IDENTIFIERS_H
#define VELQUOR_IDENTIFIERS_H

/* Resources */
#define IDD_ABOUTBOX                100
#define IDS_ABOUTBOX                101
#define IDD_CALCULATOR              102
#define IDR_MAINFRAME               128
#define IDB_PORTRAIT                130
#define IDB_BANNER                  132
#define IDB_ABOUT_BANNER            133

/* System-menu command of the About item */
#define IDM_ABOUTBOX                0x0010

/* Controls of both dialogs */
#ifndef IDOK
#define IDOK                        1
#endif
#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

/* Main window: the inverse-square ratio calculator */
#define IDC_CURRENT_POWER           1005
#define IDC_CURRENT_DISTANCE        1006
#define IDC_PROPOSED_POWER          1007
#define IDC_PROPOSED_DISTANCE       1008
#define IDC_RATIO_CALCULATE         1009
#define IDC_RATIO_GROUP             1010
#define IDC_LABEL_CURRENT_POWER     1011
#define IDC_LABEL_CURRENT_DISTANCE  1012
#define IDC_LABEL_PROPOSED_POWER    1013
#define IDC_LABEL_PROPOSED_DISTANCE 1014
#define IDC_RATIO_INSTRUCTIONS      1017

/* Main window: the wavelength calculator */
#define IDC_WAVELENGTH_GROUP        1018
#define IDC_WAVELENGTH_FREQUENCY    1019
#define IDC_WAVELENGTH              1020
#define IDC_WAVELENGTH_CALCULATE    1021
#define IDC_WAVELENGTH_INSTRUCTIONS 1022

/* Main window: the antenna-length calculator */
#define IDC_ANTENNA_GROUP           1023
#define IDC_ANTENNA_FREQUENCY       1024
#define IDC_WAVE_FACTOR             1026
#define IDC_ANTENNA_LENGTH          1027
#define IDC_ANTENNA_CALCULATE       1028
#define IDC_ANTENNA_INSTRUCTIONS    1029

/* Main window: the rest */
#define IDC_ABOUT                   1030
#define IDC_INSTRUCTIONS_GROUP      1031
#define IDC_INSTRUCTIONS_TEXT       1032

/* About box (IDC_BANNER is also the main window's banner) */
#define IDC_PORTRAIT                1033
#define IDC_MAIL_ADDRESS            1034
#define IDC_BANNER                  1035

#endif
