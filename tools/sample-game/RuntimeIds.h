#pragma once
// String-table entries of the sample runtime.

#define IDS_RUNTIME_CAPTION 1
#define IDS_RUNTIME_RUNNING 2
#define IDS_RUNTIME_FOLDER 3
#define IDS_RUNTIME_UNNAMED 4
#define IDS_RUNTIME_FONT 5
