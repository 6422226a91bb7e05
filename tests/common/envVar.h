// Setting and clearing environment variables in tests, on every platform.
#pragma once

void setEnv(const char* name, const char* value);  // null value: unset
