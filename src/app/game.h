#pragma once
// The whole program: start-up, the levels, shutdown. Returns the exit status.
int RunGame(int argc, char** argv);
