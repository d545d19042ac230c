// File commands: New, Open, Save, their exe-directory variants, Exit.
#include "files/file_commands.h"

#include "app/Hlav.h"
#include "files/atomic_file.h"
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

// The open dialog for a parameter file, proposing the last one; "" when cancelled.
std::string TFormHlav::AskParamFileToOpen() {
    TFileDialogRequest request;
    request.filter = kOpenDialogFilter;
    request.defaultExt = kParamFileExt;
    request.proposedPath = openDialogPath;
    return platform.dialogs->OpenFileDialog(request);
}

// The message of a file that was not taken; true when it was.
bool TFormHlav::ReportOpenResult(TOpenResult result) {
    switch (result) {
        case TOpenResult::CannotOpen:
            DialogMessage(Text(TMsg::OpenFileError));
            return false;
        case TOpenResult::Unmatched:
            DialogMessage(Text(TMsg::UnmatchedIgn));
            return false;
        case TOpenResult::Ok:
            break;
    }
    return true;
}

void TFormHlav::MenuOpenClick() {
    const std::string path = AskParamFileToOpen();
    if (!path.empty()) {
        openDialogPath = path;  // the dialog opens with its last choice next time
        bool ext = CheckBoxExtMonitor.Checked();
        if (ReportOpenResult(OpenParamFile(path, image, ext))) {
            CheckBoxExtMonitor.SetChecked(ext);
            UpdateBikeConstants(image);
            CommitChange();
            LabelFile2.SetText(path);
            LastFilePath = path;
            saveDialogPath = path;
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
    if (!SaveParamFile(file, image, CheckBoxExtMonitor.Checked())) {
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
