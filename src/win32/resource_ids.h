// Resource ids of the saver shell (the range 100-199 is the shell's).
#pragma once

#define IDS_DESCRIPTION 1
#define IDC_TRANSPARENT 101
#define IDR_CARRIED_VOYAGER 102
