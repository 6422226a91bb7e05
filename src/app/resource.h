// Ids of the program's resources.
#pragma once

#define IDM_BOTH 4097
#define IDM_EXPAND 4098
#define IDM_COMPRESS 4099
#define IDM_EXIT 4100
#define IDM_ABOUT 5889
#define IDC_LOG 7701
