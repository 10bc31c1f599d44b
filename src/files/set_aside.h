#pragma once
// Moving a file that must not be used, nor lost, out of the way: to the first
// free name of PATH + SUFFIX, PATH + SUFFIX + ".2", ... A file set aside
// earlier under one of these names is never replaced.
#include <string>

// False with the system's reason when no name could be had or the file
// could not be moved.
bool SetAside(const std::string& path, const std::string& suffix, std::string& aside, std::string& reason);
