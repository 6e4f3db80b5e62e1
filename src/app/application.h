#pragma once

// The process: environment, application object, the shared state and the main window.
namespace Application {

int run(int argc, char** argv);

} // namespace Application
