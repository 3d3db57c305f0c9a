// The code page of the "A" functions outside Windows is UTF-8, the framework's encoding.
#include "platform/api.h"

LPSTR WINAPI CharNextA(LPCSTR text) {
    if (*text == '\0') return const_cast<LPSTR>(text);
    ++text;
    // Continuation bytes (10xxxxxx) belong to the character before them.
    while ((static_cast<unsigned char>(*text) & 0xC0) == 0x80) ++text;
    return const_cast<LPSTR>(text);
}
