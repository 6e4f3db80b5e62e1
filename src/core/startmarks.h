#pragma once

// Marks on the way from the program's start to its first page, for finding where start-up time
// goes. With QUORVINK_START_TRACE set in the environment each mark writes one line to standard
// error: the milliseconds since the process started, the main thread's CPU milliseconds and the
// mark's name. Without it a mark costs one test of a flag.
namespace StartMarks {

// Whether the marks are written (QUORVINK_START_TRACE is set).
bool enabled();
void mark(const char* what);

} // namespace StartMarks
