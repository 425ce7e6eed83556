#include "code_text.h"
// Implementation arrives with the scan-code notation.
