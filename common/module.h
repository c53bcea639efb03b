// Module records and the error report every module shares.
#pragma once

#include <cstdint>

// One text of a module record: exactly eight characters, padded with blanks.
// The length is checked when the program is compiled.
struct ModuleText {
  const char* text;

  consteval ModuleText(const char* s) : text(s) {  // NOLINT: implicit on purpose
    int n = 0;
    while (s[n] != '\0') ++n;
    if (n != 8) throw "a module text has exactly eight characters";
  }
};

// The five texts that identify a module: name, version date, author, platform, kind.
struct ModuleRecord {
  ModuleText name;
  ModuleText version;
  ModuleText author;
  ModuleText platform;
  ModuleText kind;
};

// A module's identity and error state. `error_text` is the line its error report
// prints (none for a module that never prints); `debug` switches printing on;
// `errors` counts every report, printed or not, so that tests can tell a
// reported failure from a silent one.
struct Module {
  ModuleRecord record;
  const char* error_text;
  std::uint8_t debug;
  std::uint32_t errors;
};

// Builds the record of a plain computing module ("C       " platform, "CODE    " kind).
consteval ModuleRecord MODULE_record(ModuleText name, ModuleText platform = "C       ") {
  return ModuleRecord{name, "20261206", "Vantorik", platform, "CODE    "};
}

// Counts one error of the module and, when its debug switch is not 0 and it has
// an error text, writes that text and a line feed to standard output.
void MODULE_report(Module& module);

// Frees the record the caller's handle holds and sets the handle to none,
// after release() has let go of what the record owns through plain pointers.
// An absent handle or record is reported through the module and nothing is freed.
template <typename T, typename Release>
void MODULE_free_record(Module& module, T** handle, Release release) {
  if (handle == nullptr || *handle == nullptr) {
    MODULE_report(module);
    return;
  }
  release(**handle);
  delete *handle;
  *handle = nullptr;
}

// MODULE_free_record for a record that owns nothing through plain pointers.
template <typename T>
void MODULE_free_record(Module& module, T** handle) {
  MODULE_free_record(module, handle, [](T&) {});
}
