// The numbers the page and the game answer each other with, written once:
// the page imports them, and the web build writes them into the game's
// backends/web/page_codes.h (cmake/web.cmake), one `export const` line a
// number.

// What a wait returns besides the window's own answer: the page's reports
// that come while the game waits.
export const kResized = -1000;
export const kUploaded = -1001;
export const kBack = -1002;
export const kForward = -1003;
export const kSkipToggle = -1004;
export const kSkipHold = -1005;
export const kSkipLetGo = -1006;
export const kSkipStop = -1007;
export const kStoryMap = -1008;
export const kUploadConfirmed = -1009;
export const kSlotWords = -1010;
export const kAlbum = -1011;  // the last of the reports (web_platform.cpp kLastReport)

// What the title's wait answers for 続きから (a click answers 0), and the
// menu's for the quick save and quick load keys (a button answers its row).
export const kContinueAnswer = 1;
export const kQuickSave = -2001;
export const kQuickLoad = -2002;

// What a commit of the page's storage answers besides 0 (failed): written,
// or nothing written because another tab changed a file since it was read.
export const kWritten = 1;
export const kChanged = 2;
// What a write begun behind the game answers when asked before it has ended.
export const kNotEnded = 3;

// What the page may offer while a window waits, as bits of the wait's steps.
export const kCanGoBack = 1;
export const kCanGoForward = 2;
export const kSkipping = 4;

// The shelf's places of what the page hands over.
export const kFirstText = 0;
export const kSecondText = 1;
export const kUploadSlot = 2;
export const kUploadFlags = 3;
export const kUploadText = 4;
