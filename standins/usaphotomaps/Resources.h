#pragma once

// Resource numbers of the stand-in USAPhotoMaps, shared by the resource
// script and the code.
#define IDR_MAIN_MENU 100
#define IDD_GO_TO 200

#define IDM_EXIT 1001
#define IDM_GO_TO 1002

#define IDC_LATITUDE 2001
#define IDC_NORTH_SOUTH 2002
#define IDC_WEST_EAST 2003
#define IDC_LONGITUDE 2004
