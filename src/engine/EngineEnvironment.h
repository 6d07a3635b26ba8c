#pragma once

namespace engine {
// Must run before QApplication is created: process environment and
// application attributes that the embedded browser engine needs.
void prepareProcessEnvironment();
}
