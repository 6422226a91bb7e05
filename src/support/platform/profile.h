// The platform's profile-file service (INI files): Win32's private profile
// strings on Windows. Elsewhere there is no profile file: reads find nothing
// and writes are dropped. Tests replace the service with their own.
#pragma once

struct profileService {
    // Copies the value (at most size - 1 characters, terminated) or the
    // default into buffer; returns the number of characters copied.
    int (*getString)(const char* section, const char* key, const char* defaultValue, char* buffer,
                     int size, const char* file);
    void (*writeString)(const char* section, const char* key, const char* value, const char* file);
};

namespace platform {

int profileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                     int size, const char* file);
void profileWriteString(const char* section, const char* key, const char* value, const char* file);

// Replaces the service; null members restore the platform's own.
profileService setProfileService(profileService service);

}  // namespace platform
