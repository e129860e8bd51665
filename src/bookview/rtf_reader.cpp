#include "bookview/rtf_reader.h"
