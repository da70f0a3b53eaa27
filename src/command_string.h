// The command string: a hexadecimal command code, optionally an underscore
// and the command parameter.
#pragma once

// Ends the code at the first underscore (overwriting it with NUL) and
// returns the parameter after it: null when there is no underscore, empty
// when the underscore is the last character.
char* SplitCommandString(char* commandString);

// The code as the runtime's strtoul reads it in base 16, reduced to 16 bits.
unsigned short ParseCommandCode(const char* code);

// GetVersion's result: major version in the low byte, minor in the next.
// True from version 3.10 on.
bool IsSupportedVersion(unsigned long getVersionResult);
