// File commands: New, Open, Save, their exe-directory variants, Exit.
#include "files/file_commands.h"

#include <istream>
#include <sstream>

#include "app/Hlav.h"
#include "files/atomic_file.h"
#include "files/param_file.h"
#include "files/word_reader.h"
#include "params/bike_types.h"

void TFormHlav::MenuNewClick() {
    if (ComboBoxBike.ItemIndex() >= kBikeTypes) return;
    if (platform.dialogs->AskYesNoCancel(Text(TMsg::DefaultQuestion)) != TAnswer::Yes) return;
    SetDefaults(image);
    LabelHlaseni.SetVisible(false);
    CGaugeProgram.SetVisible(false);
    LabelFile2.SetText("");
    CommitChange();
}

void TFormHlav::MenuOpenClick() {
    TFileDialogRequest request;
    request.filter = kOpenDialogFilter;
    request.defaultExt = kParamFileExt;
    request.proposedPath = openDialogPath;
    const std::string path = platform.dialogs->OpenFileDialog(request);
    if (!path.empty()) {
        openDialogPath = path;  // the dialog opens with its last choice next time
        // Only a regular file is read (a folder or a device is refused like a file that cannot be
        // opened), and a read error part way is reported the same way: the window stays as it
        // was in both cases.
        TInputFile file;
        if (!file.Open(path)) {
            platform.dialogs->ShowMessage(Text(TMsg::OpenFileError));
        } else {
            // Read into a copy: the window changes only once the whole file has been taken.
            std::istream in(&file);
            TParamImage loaded = image;
            bool ext = CheckBoxExtMonitor.Checked();
            const bool matched = ReadParamFile(in, loaded, ext);
            const bool readError = file.Failed() || in.bad();
            file.Close();
            if (readError) {
                platform.dialogs->ShowMessage(Text(TMsg::OpenFileError));
            } else if (!matched) {
                platform.dialogs->ShowMessage(Text(TMsg::UnmatchedIgn));
            } else {
                image = loaded;
                CheckBoxExtMonitor.SetChecked(ext);
                UpdateBikeConstants(image);
                CommitChange();
                LabelFile2.SetText(path);
                LastFilePath = path;
                saveDialogPath = path;
            }
        }
    }
    LabelHlaseni.SetVisible(false);
    CGaugeProgram.SetVisible(false);
}

void TFormHlav::MenuOpenExeDirClick() {
    openDialogPath = ExeDirFileName;
    saveDialogPath = ExeDirFileName;
    MenuOpenClick();
}

void TFormHlav::MenuSaveClick() {
    TFileDialogRequest request;
    request.filter = kSaveDialogFilter;
    request.defaultExt = kParamFileExt;
    request.proposedPath = saveDialogPath;
    request.filterIndex = 1;
    request.confirmOverwrite = true;
    const std::string path = platform.dialogs->SaveFileDialog(request);
    if (path.empty()) return;
    saveDialogPath = path;

    // The new file is written beside the target and replaces it only once complete, so a failed
    // save leaves the old file as it was and is reported as an error, never as saved.
    TAtomicFile file;
    if (!file.Create(path)) {
        platform.dialogs->ShowMessage(Text(TMsg::OpenFileError));
        return;
    }
    // The file holds exactly what the window shows after sanitizing.
    TransferFieldsToImage();
    Sanitize();
    RefreshFieldsFromImage();
    std::ostringstream text;
    WriteParamFile(text, image, CheckBoxExtMonitor.Checked());
    if (!file.Write(text.str()) || !file.Commit()) {
        platform.dialogs->ShowMessage(Text(TMsg::OpenFileError));
        return;
    }
    LabelFile2.SetText(path);
    LastFilePath = path;
    openDialogPath = path;
}

void TFormHlav::MenuSaveExeDirClick() {
    openDialogPath = ExeDirFileName;
    saveDialogPath = ExeDirFileName;
    MenuSaveClick();
}

void TFormHlav::MenuExitClick() {
    closeRequested = true;
}
