// TORQ6150: a real-time audiovisual demo for X11.
#include "demo.h"

int main() {
  TORQ6150_startup();
  TORQ6150_run_cycle();
}
