#include "Wnd.h"

#include <commctrl.h>

#include <cwchar>
#include <set>
#include <string>

namespace {

const wchar_t kObjectProperty[] = L"Presvia.CWnd";
const UINT_PTR kSubclassId = 1;

// The object whose window CreateEx is creating on this thread.
thread_local CWnd* t_creating = nullptr;

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        if (m_subclassed) {
            UnsubclassWindow();
        } else {
            ::DestroyWindow(m_hWnd);
        }
    }
}

LPCWSTR CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The set keeps each name alive for the life of the process.
    static std::set<std::wstring> s_names;
    wchar_t name[96];
    swprintf(name, 96, L"Presvia:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
             static_cast<void*>(background), static_cast<void*>(icon));
    auto inserted = s_names.insert(name);
    if (inserted.second) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = inserted.first->c_str();
        if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            s_names.erase(inserted.first);
            return nullptr;
        }
    }
    return inserted.first->c_str();
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu, LPVOID param)
{
    if (m_hWnd != nullptr || className == nullptr)
        return FALSE;
    CWnd* outer = t_creating;
    t_creating = this;
    HWND hWnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height,
                                  parent, menu, ::GetModuleHandleW(nullptr), param);
    t_creating = outer;
    if (hWnd == nullptr) {
        m_hWnd = nullptr;
        return FALSE;
    }
    if (FromHandlePermanent(hWnd) != this)
        return SubclassWindow(hWnd);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd != nullptr || !::IsWindow(hWnd) || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    if (!::SetWindowSubclass(hWnd, StaticSubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    m_subclassed = true;
    Bind(hWnd);
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_subclassed)
        return nullptr;
    HWND hWnd = m_hWnd;
    ::RemoveWindowSubclass(hWnd, StaticSubclassProc, kSubclassId);
    m_subclassed = false;
    Unbind();
    return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropW(hWnd, kObjectProperty));
}

BOOL CWnd::ProcessWindowMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return FALSE;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.msg, m_current.wParam, m_current.lParam);
}

void CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

LRESULT CWnd::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ProcessWindowMessage(uMsg, wParam, lParam, result))
        return result;
    return DefWindowProc(uMsg, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_subclassed)
        return ::DefSubclassProc(m_hWnd, uMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

void CWnd::OnFinalMessage(HWND)
{
}

LRESULT CWnd::Dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // Handlers may send further messages to this window: keep the outer one.
    CurrentMessage outer = m_current;
    m_current = {uMsg, wParam, lParam};
    LRESULT result = WindowProc(uMsg, wParam, lParam);
    m_current = outer;
    if (uMsg == WM_NCDESTROY) {
        HWND hWnd = m_hWnd;
        if (m_subclassed) {
            ::RemoveWindowSubclass(hWnd, StaticSubclassProc, kSubclassId);
            m_subclassed = false;
        }
        Unbind();
        OnFinalMessage(hWnd);  // may delete this
    }
    return result;
}

void CWnd::Bind(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropW(hWnd, kObjectProperty, this);
}

void CWnd::Unbind()
{
    if (m_hWnd != nullptr)
        ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr && t_creating != nullptr && t_creating->m_hWnd == nullptr) {
        wnd = t_creating;
        wnd->Bind(hWnd);
    }
    if (wnd == nullptr)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    return wnd->Dispatch(uMsg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticSubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR refData)
{
    CWnd* wnd = reinterpret_cast<CWnd*>(refData);
    if (wnd == nullptr || wnd->m_hWnd != hWnd)
        return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
    return wnd->Dispatch(uMsg, wParam, lParam);
}
