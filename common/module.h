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
