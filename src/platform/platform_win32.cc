#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <cstring>

#include "platform/elevation.h"
#include "platform/platform.h"

namespace binario::platform {

const char kPathSeparator = '\\';

namespace {

// The wait window, sized in twips (1/1440 inch) and converted with the
// screen's dots per inch.
constexpr int kTwipsPerInch = 1440;
constexpr int kClientWidth = 4200;
constexpr int kClientHeight = 2688;
constexpr int kLabelLeft = 960;
constexpr int kLabelTop = 960;
constexpr int kLabelWidth = 2652;
constexpr int kLabelHeight = 792;
constexpr int kLabelPoints = 24;

constexpr char kWindowClass[] = "binario";
constexpr char kWindowTitle[] = "Installazione scenario";
constexpr char kLabelCaption[] = "Attendere";
constexpr char kLabelFont[] = "MS Sans Serif";

// The wait window once shown: the owner of the message box.
HWND wait_window = nullptr;

// The label is drawn in the dialog colours, like the window behind it.
LRESULT CALLBACK wait_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wparam);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

void restrict_dll_search() {
  // Windows 7 without its 2011 loader update lacks the call; there the
  // installer's own folder at least leaves the search.
  using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
  auto set_default_dll_directories =
      reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set_default_dll_directories != nullptr) {
    set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  } else {
    SetDllDirectoryA("");
  }
}

void show_wait_window() {
  // Sizes follow the real screen density: the manifest declares the
  // installer aware of it, so Windows does not scale a 96-dpi window.
  HDC screen = GetDC(nullptr);
  int dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
  int dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  auto pixels_x = [dpi_x](int twips) { return MulDiv(twips, dpi_x, kTwipsPerInch); };
  auto pixels_y = [dpi_y](int twips) { return MulDiv(twips, dpi_y, kTwipsPerInch); };

  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = wait_window_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kWindowClass;
  RegisterClassA(&window_class);

  // A fixed-size window whose client area is exactly the table's size.
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, pixels_x(kClientWidth), pixels_y(kClientHeight)};
  AdjustWindowRect(&frame, kStyle, FALSE);
  wait_window = CreateWindowExA(0, kWindowClass, kWindowTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  if (wait_window == nullptr) return;  // The work goes on without its window.

  // A plain label: text on the left, no border, no word wrap.
  constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  HWND label = CreateWindowExA(0, "STATIC", kLabelCaption, kLabelStyle, pixels_x(kLabelLeft),
                               pixels_y(kLabelTop), pixels_x(kLabelWidth), pixels_y(kLabelHeight),
                               wait_window, nullptr, instance, nullptr);
  HFONT font = CreateFontA(-MulDiv(kLabelPoints, dpi_y, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, kLabelFont);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  // Shown without a message loop: paint the frame, the window and the label now.
  ShowWindow(wait_window, SW_SHOWDEFAULT);
  RedrawWindow(wait_window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void show_message_and_exit(const char* message) {
  // A null title gives the system's default one.
  MessageBoxA(wait_window, message, nullptr, MB_OK | MB_APPLMODAL);
  exit_process(1);
}

void exit_process(int status) { ExitProcess(static_cast<UINT>(status)); }

uint32_t process_id() { return GetCurrentProcessId(); }

bool executable_path(Text* out) {
  char buffer[MAX_PATH + 1];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  // A full buffer means the path was cut short.
  if (length == 0 || length >= sizeof buffer) return false;
  out->clear();
  out->append(std::string_view(buffer, length));
  return true;
}

}  // namespace binario::platform

namespace binario {

namespace {

// The argument that marks the copy started with administrator rights.
constexpr char kElevatedMarker[] = " /amministratore";

class Win32Elevation : public Elevation {
 public:
  // A path never holds a '/', so the marker cannot be part of the installer's own path.
  bool elevated_copy() const override {
    return std::strstr(GetCommandLineA(), kElevatedMarker) != nullptr;
  }

  bool run_elevated(int* status) override {
    // A path cut short names no file: the request then fails.
    char self[MAX_PATH + 1];
    GetModuleFileNameA(nullptr, self, sizeof self);
    SHELLEXECUTEINFOA request = {};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.hwnd = platform::wait_window;
    request.lpVerb = "runas";
    request.lpFile = self;
    request.lpParameters = kElevatedMarker + 1;
    request.nShow = SW_SHOWNORMAL;
    // Refused by the player (or impossible): no process to wait for.
    if (!ShellExecuteExA(&request) || request.hProcess == nullptr) return false;
    // The elevated copy shows its own window and messages; this one steps aside.
    ShowWindow(platform::wait_window, SW_HIDE);
    DWORD exit_code = 1;
    WaitForSingleObject(request.hProcess, INFINITE);
    GetExitCodeProcess(request.hProcess, &exit_code);
    CloseHandle(request.hProcess);
    *status = static_cast<int>(exit_code);
    return true;
  }
};

}  // namespace

// Made on first use, like the disk: the stub then has no writable data section.
Elevation& real_elevation() {
  static Win32Elevation* const elevation = new Win32Elevation;
  return *elevation;
}

}  // namespace binario
