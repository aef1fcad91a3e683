// The one translation unit that compiles the header-only image decoder and
// DXT encoder. Only the four file kinds the loader accepts are built in.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STB_DXT_IMPLEMENTATION

#include <string.h> // stb_dxt uses memcpy without including it

#include <stb/stb_dxt.h>
#include <stb/stb_image.h>
