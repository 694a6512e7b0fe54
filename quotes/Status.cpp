#include "quotes/Status.h"

namespace {
const char* const kStatusTexts[] = {"Sucessfull",
                                    "Invalid Parm",
                                    "File Open",
                                    "Malloc",
                                    "File Read",
                                    "File Write",
                                    "File Seek",
                                    "File Exists",
                                    "File Not Found",
                                    "Record Not Found",
                                    "No Graphics Found",
                                    "No Fonts Found",
                                    "Charts Uninitialized",
                                    "Max Lines Exceeded",
                                    "Max Grids Exceeded",
                                    "Unknown"};
}

const char* StatusText(int status) {
    if (status > 0 || status < -14)
        return kStatusTexts[15];
    return kStatusTexts[-status];
}
