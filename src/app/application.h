#pragma once

namespace lirra {
// Runs the program: application object, title, windows, message loop.
int runApplication(int argc, char** argv);
}
