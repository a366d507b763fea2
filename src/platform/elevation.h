#ifndef BINARIO_PLATFORM_ELEVATION_H_
#define BINARIO_PLATFORM_ELEVATION_H_

namespace binario {

// Asking for an administrator's permission when the installer's folder needs
// it (the simulator under "Program Files"): the installer starts itself again
// with administrator rights. Off Windows there is no such request.
class Elevation {
 public:
  // True in the copy started with administrator rights: it never asks again.
  virtual bool elevated_copy() const = 0;

  // Starts the installer again with administrator rights, marked as the
  // elevated copy, waits for it to end and sets `status` to its exit status.
  // False when the player refused the permission request or the copy could
  // not be started.
  virtual bool run_elevated(int* status) = 0;

 protected:
  // Never deleted through this interface: the platform's one lives for the
  // whole run, so it needs no destructor.
  ~Elevation() = default;
};

// The platform's own (platform_posix.cc, platform_win32.cc).
Elevation& real_elevation();

}  // namespace binario

#endif  // BINARIO_PLATFORM_ELEVATION_H_
