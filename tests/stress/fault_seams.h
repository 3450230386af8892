#pragma once
// Forced in front of every Win32 source of the stress build, never of the product: each
// creating platform call goes through a seam that counts it, can make its n-th call fail,
// and keeps the handles it made in a ledger until the matching release, so a run can prove
// that every handle was given back exactly once.
#include <windows.h>
#include <mmsystem.h>

HDC WINAPI SeamGetDC(HWND window);
int WINAPI SeamReleaseDC(HWND window, HDC dc);
HDC WINAPI SeamCreateCompatibleDC(HDC dc);
BOOL WINAPI SeamDeleteDC(HDC dc);
HBITMAP WINAPI SeamCreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP WINAPI SeamCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                    DWORD offset);
HBITMAP WINAPI SeamCreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
HPALETTE WINAPI SeamCreatePalette(const LOGPALETTE* palette);
HBRUSH WINAPI SeamCreateSolidBrush(COLORREF colour);
HBRUSH WINAPI SeamCreateDIBPatternBrushPt(const void* packedDib, UINT usage);
HRGN WINAPI SeamExtCreateRegion(const XFORM* transform, DWORD size, const RGNDATA* data);
BOOL WINAPI SeamDeleteObject(HGDIOBJ object);
HANDLE WINAPI SeamLoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
HRSRC WINAPI SeamFindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
ATOM WINAPI SeamRegisterClassA(const WNDCLASSA* windowClass);
HWND WINAPI SeamCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                                int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HANDLE WINAPI SeamCreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);
BOOL WINAPI SeamReleaseMutex(HANDLE mutex);
BOOL WINAPI SeamCloseHandle(HANDLE handle);
LSTATUS WINAPI SeamRegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                   REGSAM access, const LPSECURITY_ATTRIBUTES attributes, PHKEY result,
                                   LPDWORD disposition);
LSTATUS WINAPI SeamRegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LSTATUS WINAPI SeamRegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS WINAPI SeamRegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS WINAPI SeamRegCloseKey(HKEY key);
BOOL WINAPI SeamPeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove);
BOOL WINAPI SeamDestroyWindow(HWND window);
MMRESULT WINAPI SeamTimeBeginPeriod(UINT period);
MMRESULT WINAPI SeamTimeEndPeriod(UINT period);
int WINAPI SeamMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

#define GetDC SeamGetDC
#define ReleaseDC SeamReleaseDC
#define CreateCompatibleDC SeamCreateCompatibleDC
#define DeleteDC SeamDeleteDC
#define CreateCompatibleBitmap SeamCreateCompatibleBitmap
#define CreateDIBSection SeamCreateDIBSection
#define CreateBitmap SeamCreateBitmap
#define CreatePalette SeamCreatePalette
#define CreateSolidBrush SeamCreateSolidBrush
#define CreateDIBPatternBrushPt SeamCreateDIBPatternBrushPt
#define ExtCreateRegion SeamExtCreateRegion
#define DeleteObject SeamDeleteObject
#define LoadImageA SeamLoadImageA
#define FindResourceA SeamFindResourceA
#define RegisterClassA SeamRegisterClassA
#define CreateWindowExA SeamCreateWindowExA
#define CreateMutexA SeamCreateMutexA
#define ReleaseMutex SeamReleaseMutex
#define CloseHandle SeamCloseHandle
#define RegCreateKeyExA SeamRegCreateKeyExA
#define RegOpenKeyA SeamRegOpenKeyA
#define RegOpenKeyExA SeamRegOpenKeyExA
#define RegOpenKeyExW SeamRegOpenKeyExW
#define RegCloseKey SeamRegCloseKey
#define PeekMessageA SeamPeekMessageA
#define DestroyWindow SeamDestroyWindow
#define timeBeginPeriod SeamTimeBeginPeriod
#define timeEndPeriod SeamTimeEndPeriod
#define MessageBoxW SeamMessageBoxW
