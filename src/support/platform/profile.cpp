#include "support/platform/profile.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int systemGet(const char* section, const char* key, const char* defaultValue, char* buffer, int size,
              const char* file) {
#ifdef _WIN32
    return static_cast<int>(GetPrivateProfileStringA(section, key, defaultValue, buffer,
                                                     static_cast<DWORD>(size), file));
#else
    (void)section;
    (void)key;
    (void)file;
    if (size <= 0) return 0;
    std::strncpy(buffer, defaultValue, static_cast<std::size_t>(size) - 1);
    buffer[size - 1] = '\0';
    return static_cast<int>(std::strlen(buffer));
#endif
}

void systemWrite(const char* section, const char* key, const char* value, const char* file) {
#ifdef _WIN32
    WritePrivateProfileStringA(section, key, value, file);
#else
    (void)section;
    (void)key;
    (void)value;
    (void)file;
#endif
}

profileService current{systemGet, systemWrite};

}  // namespace

namespace platform {

int profileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                     int size, const char* file) {
    return current.getString(section, key, defaultValue, buffer, size, file);
}

void profileWriteString(const char* section, const char* key, const char* value, const char* file) {
    current.writeString(section, key, value, file);
}

profileService setProfileService(profileService service) {
    profileService previous = current;
    current.getString = service.getString ? service.getString : systemGet;
    current.writeString = service.writeString ? service.writeString : systemWrite;
    return previous;
}

}  // namespace platform
