#pragma once
#include <string>

// The directory of the program at argv0, with its trailing separator: the
// path cut just after its last '/' or '\'. Without a separator (started
// through PATH) the running executable's own path is used instead; empty when
// that is unknown too.
std::string ProgramDirectory(const char* argv0);

// Makes the program's directory the working directory, so assets and a
// relative level pack name are found there.
void ChangeToProgramDirectory(const char* argv0);
