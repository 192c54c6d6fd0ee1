// Starting the real program inside the test process and acting on its window.
#include "support/gui_test.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <fstream>
#include <iterator>

namespace {
QuorvantFrame* FindFrame()
{
    for (wxWindow* const window : wxTopLevelWindows) {
        if (auto* const frame = dynamic_cast<QuorvantFrame*>(window))
            return frame;
    }
    return nullptr;
}
} // namespace

void GuiTest::TearDown()
{
    dialogs::VerifyNoneLeft();
    for (wxWindow* const window : wxTopLevelWindows) {
        if (!wxTheApp->IsScheduledForDestruction(window))
            window->Destroy();
    }
    ProcessEvents();
}

QuorvantFrame* GuiTest::Start(const wxString& directory)
{
    dialogs::ExpectDirectory(directory);
    return Run();
}

QuorvantFrame* GuiTest::Run()
{
    EXPECT_TRUE(wxTheApp->OnInit());
    QuorvantFrame* const frame = FindFrame();
    if (!frame || wxTheApp->IsScheduledForDestruction(frame)) {
        EXPECT_FALSE(frame && frame->IsShown()) << "a failed start-up showed its window";
        return nullptr;
    }
    EXPECT_TRUE(frame->IsShown());
    return frame;
}

void GuiTest::ProcessEvents()
{
    for (int round = 0; round < 3; ++round) {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
}

void GuiTest::InstallGame(const wxString& executable) const
{
    game.WriteScript(executable, "exit 0\n");
    game.Write("Demo.module", "[global]\r\nModVersion = 1.0\r\nPlayable = 1\r\n");
}

QuorvantFrame* GuiTest::StartWithFile(const wxString& name, const std::string& bytes)
{
    InstallGame("Soulstorm.exe");
    game.Write(name, bytes);
    return Start(game.Path());
}

std::string DemoFolder()
{
    return std::string(QUORVANT_SOURCE_DIR) + "/examples/demo-soulstorm";
}

std::string ReadDemoFile(const std::string& name)
{
    std::ifstream in(DemoFolder() + "/" + name, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool GuiTest::AnyWindowLeft()
{
    return !wxTopLevelWindows.empty();
}

namespace ui {

void Toggle(wxCheckBox* box)
{
    ASSERT_TRUE(box->IsEnabled()) << "\"" << box->GetLabel() << "\" cannot be clicked";
    box->SetValue(!box->GetValue());
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    click.SetInt(box->GetValue() ? 1 : 0);
    box->HandleWindowEvent(click);
}

namespace {
void SendListEvent(wxListBox* list, wxEventType type, int row)
{
    list->SetSelection(row);
    wxCommandEvent event(type, list->GetId());
    event.SetEventObject(list);
    event.SetInt(row);
    if (row >= 0 && static_cast<unsigned>(row) < list->GetCount())
        event.SetString(list->GetString(row));
    list->HandleWindowEvent(event);
}
} // namespace

void Select(wxListBox* list, int row)
{
    SendListEvent(list, wxEVT_LISTBOX, row);
}

void DoubleClick(wxListBox* list, int row)
{
    SendListEvent(list, wxEVT_LISTBOX_DCLICK, row);
}

void ChooseMenu(QuorvantFrame& frame, int id)
{
    wxMenuItem* const item = frame.GetMenuBar()->FindItem(id);
    ASSERT_NE(item, nullptr) << "no menu item " << id;
    ASSERT_TRUE(item->IsEnabled()) << "\"" << item->GetItemLabelText() << "\" cannot be chosen";
    int checked = -1;
    if (item->IsCheckable()) {
        item->Check(!item->IsChecked());
        checked = item->IsChecked() ? 1 : 0;
    }
    item->GetMenu()->SendEvent(id, checked);
}

wxString StatusText(QuorvantFrame& frame)
{
    return frame.GetStatusBar()->GetStatusText(0);
}

wxArrayString Rows(wxListBox* list)
{
    return list->GetStrings();
}

} // namespace ui
