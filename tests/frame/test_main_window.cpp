// The main window as built at start-up: texts, menus, controls, option rules, closing, about.
#include "frame/build_info.h"
#include "support/gui_test.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>

#include <stdexcept>
#include <vector>

namespace {

class MainWindowTest : public GuiTest
{
protected:
    QuorvantFrame& StartGame(const wxString& executable)
    {
        InstallGame(executable);
        frame = Start(game.Path());
        if (!frame)
            throw std::runtime_error("the main window did not open");
        return *frame;
    }

    template <typename T> std::vector<T*> Controls() const
    {
        std::vector<T*> found;
        for (wxWindow* const child : frame->GetChildren()) {
            if (auto* const control = dynamic_cast<T*>(child))
                found.push_back(control);
        }
        return found;
    }

    QuorvantFrame* frame = nullptr;
};

TEST_F(MainWindowTest, ShowsTheGameAndItsFolder)
{
    QuorvantFrame& window = StartGame("darkcrusade.exe");
    EXPECT_EQ(window.GetTitle(), "Quorvant");

    const auto texts = Controls<wxStaticText>();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0]->GetLabel(), "Your current Dark Crusade directory:");
    EXPECT_EQ(texts[1]->GetLabel(), "Advanced Start Options:");
    EXPECT_EQ(texts[2]->GetLabel(), "Currently Installed Mods");
    EXPECT_EQ(texts[3]->GetLabel(), "Required Mods");

    const auto fields = Controls<wxTextCtrl>();
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0]->GetValue(), game.Path());
    EXPECT_FALSE(fields[0]->IsEditable());

    wxButton* const start = F::StartButton(window);
    EXPECT_EQ(start->GetLabel(), "Start Dark Crusade With Selected Mod");
    EXPECT_FALSE(start->IsEnabled());
}

TEST_F(MainWindowTest, ControlsStartInTheirDocumentedState)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    const struct
    {
        wxCheckBox* box;
        const char* label;
        bool enabled;
    } boxes[] = {
        {F::DevCheckBox(window), "-dev: Developer Mode", true},
        {F::NoMoviesCheckBox(window), "-nomovies: No Intro Movies", true},
        {F::ForceHighPolyCheckBox(window), "-forcehighpoly: High Poly Models at any Distance",
         true},
        {F::AllAICheckBox(window),
         "All AI Mode: All players are controlled by the AI (requires -dev switch).", false},
    };
    for (const auto& expected : boxes) {
        EXPECT_EQ(expected.box->GetLabel(), expected.label);
        EXPECT_EQ(expected.box->IsEnabled(), expected.enabled) << expected.label;
        EXPECT_FALSE(expected.box->GetValue()) << expected.label;
    }
    EXPECT_EQ(F::ModListBox(window)->GetId(), ID_MOD_LISTBOX);
    EXPECT_EQ(F::RequiredModListBox(window)->GetId(), ID_REQUIRED_MOD_LISTBOX);
    EXPECT_EQ(F::RequiredModListBox(window)->GetCount(), 0u);
    EXPECT_EQ(F::ModListBox(window)->GetSelection(), wxNOT_FOUND);
    EXPECT_FALSE(F::ModSelected(window));
    EXPECT_FALSE(F::ShowAllMods(window));
    EXPECT_FALSE(F::DevMode(window));
    EXPECT_FALSE(F::NoMovies(window));
    EXPECT_FALSE(F::ForceHighPoly(window));
    EXPECT_FALSE(F::AllAIMode(window));
    EXPECT_EQ(ui::StatusText(window),
              "Quorvant lists your mods and starts the game with the one you pick.");
}

TEST_F(MainWindowTest, MenusHoldTheirItemsAndHelpTexts)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    wxMenuBar* const bar = window.GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    const char* const titles[] = {"File", "Troubleshooting", "Options", "Help"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(bar->GetMenuLabelText(i), titles[i]);
    EXPECT_EQ(bar->GetMenu(0), F::FileMenu(window));
    EXPECT_EQ(bar->GetMenu(2), F::OptionsMenu(window));

    const struct
    {
        size_t menu;
        int id;
        const char* help;
        bool enabled;
        bool checkable;
    } items[] = {
        {0, wxID_EXECUTE, "Run currently selected mod.", false, false},
        {0, wxID_REFRESH, "Refresh mod list.", true, false},
        {0, wxID_EXIT, "Exit the Quorvant.", true, false},
        {1, ID_SHOW_FATAL_DATA_ERRORS,
         "Show any Fatal Data Errors printed to the warnings.log file, if any exist.", true, false},
        {2, ID_SHOW_ALL_MODS, "Shows all mods, including ones that are marked as non-playable.",
         true, true},
        {3, wxID_ABOUT, "Show information about the Quorvant.", true, false},
    };
    size_t perMenu[4] = {};
    for (const auto& expected : items) {
        wxMenu* const menu = bar->GetMenu(expected.menu);
        wxMenuItem* const item = menu->FindItemByPosition(perMenu[expected.menu]++);
        EXPECT_EQ(item->GetId(), expected.id);
        EXPECT_EQ(item->GetHelp(), expected.help);
        EXPECT_EQ(item->IsEnabled(), expected.enabled) << expected.help;
        EXPECT_EQ(item->IsCheckable(), expected.checkable) << expected.help;
        EXPECT_FALSE(item->IsSubMenu());
    }
    for (size_t menu = 0; menu < 4; ++menu)
        EXPECT_EQ(bar->GetMenu(menu)->GetMenuItemCount(), perMenu[menu]);
    EXPECT_EQ(bar->FindItem(wxID_EXECUTE)->GetItemLabelText(), "Run Mod...");
    EXPECT_EQ(bar->FindItem(ID_SHOW_FATAL_DATA_ERRORS)->GetItemLabelText(),
              "Show Fatal Data Errors");
    EXPECT_EQ(bar->FindItem(ID_SHOW_ALL_MODS)->GetItemLabelText(), "Show All Mods");
    EXPECT_FALSE(bar->FindItem(ID_SHOW_ALL_MODS)->IsChecked());
}

TEST_F(MainWindowTest, TheWindowIsSizedByItsContentsAndCannotBeResized)
{
    QuorvantFrame& window = StartGame("darkcrusade.exe");
    EXPECT_FALSE(window.HasFlag(wxRESIZE_BORDER));
    EXPECT_FALSE(window.HasFlag(wxMAXIMIZE_BOX));
    EXPECT_TRUE(window.HasFlag(wxMINIMIZE_BOX));
    EXPECT_TRUE(window.HasFlag(wxCLOSE_BOX));

    // The start button is at least as large as designed and never clips its label.
    wxButton* const start = F::StartButton(window);
    const wxSize size = start->GetSize();
    EXPECT_GE(size.x, 195);
    EXPECT_GE(size.y, 48);
    EXPECT_GE(size.x, start->GetBestSize().x);
    for (wxListBox* const list : {F::ModListBox(window), F::RequiredModListBox(window)}) {
        EXPECT_GE(list->GetSize().x, 375);
        EXPECT_GE(list->GetSize().y, 407);
    }
    // Every control lies inside the window's client area.
    const wxRect client(window.GetClientSize());
    for (wxWindow* const child : window.GetChildren()) {
        if (child == window.GetStatusBar())
            continue;
        EXPECT_TRUE(client.Contains(child->GetRect())) << child->GetClassInfo()->GetClassName();
    }
}

TEST_F(MainWindowTest, DeveloperModeGovernsAllAIMode)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    wxCheckBox* const dev = F::DevCheckBox(window);
    wxCheckBox* const allAI = F::AllAICheckBox(window);

    ui::Toggle(dev);
    EXPECT_TRUE(F::DevMode(window));
    EXPECT_TRUE(allAI->IsEnabled());
    EXPECT_FALSE(allAI->GetValue()) << "enabling must not tick it";
    EXPECT_FALSE(F::AllAIMode(window));

    ui::Toggle(allAI);
    EXPECT_TRUE(F::AllAIMode(window));

    ui::Toggle(dev);
    EXPECT_FALSE(F::DevMode(window));
    EXPECT_FALSE(F::AllAIMode(window));
    EXPECT_FALSE(allAI->GetValue());
    EXPECT_FALSE(allAI->IsEnabled());

    ui::Toggle(dev);
    EXPECT_TRUE(allAI->IsEnabled());
    EXPECT_FALSE(allAI->GetValue());
    EXPECT_FALSE(F::AllAIMode(window));
}

TEST_F(MainWindowTest, OtherSwitchesChangeOnlyTheirOwnOption)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    ui::Toggle(F::NoMoviesCheckBox(window));
    EXPECT_TRUE(F::NoMovies(window));
    EXPECT_FALSE(F::ForceHighPoly(window));
    EXPECT_FALSE(F::DevMode(window));
    ui::Toggle(F::ForceHighPolyCheckBox(window));
    EXPECT_TRUE(F::ForceHighPoly(window));
    EXPECT_TRUE(F::NoMovies(window));
    ui::Toggle(F::NoMoviesCheckBox(window));
    EXPECT_FALSE(F::NoMovies(window));
    EXPECT_TRUE(F::ForceHighPoly(window));
    EXPECT_FALSE(F::AllAICheckBox(window)->IsEnabled());
}

TEST_F(MainWindowTest, ExitClosesTheWindowWithoutAQuestion)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    ui::ChooseMenu(window, wxID_EXIT);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(&window));
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft()) << "the program would not end";
}

TEST_F(MainWindowTest, TheCloseBoxEndsTheProgramEvenWhenTheCloseCouldBeVetoed)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    EXPECT_TRUE(window.Close(false));
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft());
}

TEST(BuildInfo, NamesTheToolkitAndThePlatform)
{
    EXPECT_EQ(GetBuildInfo(BuildInfoShort), wxVERSION_STRING);
    EXPECT_EQ(GetBuildInfo(BuildInfoLong), wxString(wxVERSION_STRING) + "-Linux-Unicode build");
}

GtkAboutDialog* FindAboutDialog()
{
    GtkAboutDialog* found = nullptr;
    GList* const windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        if (GTK_IS_ABOUT_DIALOG(item->data))
            found = GTK_ABOUT_DIALOG(item->data);
    }
    g_list_free(windows);
    return found;
}

TEST_F(MainWindowTest, AboutShowsTheSameInformationEachTimeAndChangesNothing)
{
    QuorvantFrame& window = StartGame("Soulstorm.exe");
    ui::Toggle(F::NoMoviesCheckBox(window));
    const wxString status = ui::StatusText(window);

    for (int time = 0; time < 2; ++time) {
        ui::ChooseMenu(window, wxID_ABOUT);
        ProcessEvents();
        GtkAboutDialog* const about = FindAboutDialog();
        ASSERT_NE(about, nullptr);
        EXPECT_STREQ(gtk_about_dialog_get_program_name(about), "Quorvant");
        EXPECT_EQ(wxString::FromUTF8(gtk_about_dialog_get_version(about)),
                  "1.2. Built with " + wxString(wxVERSION_STRING) + "-Linux-Unicode build.");
        const wxString comments = wxString::FromUTF8(gtk_about_dialog_get_comments(about));
        const wxArrayString lines = wxSplit(comments, '\n', '\0');
        ASSERT_EQ(lines.size(), 3u) << comments;
        EXPECT_EQ(lines[0], "A mod manager for all the Dawn of War 1 games.");
        // The toolkit shows "(C)" as the copyright sign.
        EXPECT_EQ(wxString::FromUTF8(gtk_about_dialog_get_copyright(about)),
                  wxString::FromUTF8("Copyright \u00A9 2026 The Quorvant developers"));
        const gchar* const* const authors = gtk_about_dialog_get_authors(about);
        ASSERT_NE(authors, nullptr);
        EXPECT_STREQ(authors[0], "The Quorvant developers");
        EXPECT_EQ(authors[1], nullptr);
        gtk_widget_hide(GTK_WIDGET(about));
    }
    EXPECT_TRUE(F::NoMovies(window));
    EXPECT_FALSE(F::DevMode(window));
    EXPECT_EQ(ui::StatusText(window), status);
}

} // namespace
