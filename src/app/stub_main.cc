// The installer: shows the wait window, unpacks the package appended to its
// own file into its own folder, compiles it and ends.

#include "app/errore.h"
#include "app/main_sequence.h"
#include "platform/disk.h"
#include "platform/platform.h"

int main() {
  using namespace binario;
  platform::show_wait_window();
  Text self;
  if (!platform::executable_path(&self)) errore("1255");
  Text failure = installa(real_disk(), self);
  if (!failure.empty()) errore(failure);
  platform::exit_process(0);
}
