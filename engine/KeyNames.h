#pragma once
// Names of the virtual-key codes, as Input_KeyName answers them.

// "?" for codes without a name and for codes outside 0..255.
const char* engineKeyName(int key);
