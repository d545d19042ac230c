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

void TFormHlav::MenuOpenClick() {
    TFileDialogRequest request;
    request.filter = kOpenDialogFilter;
    request.defaultExt = kParamFileExt;
    request.proposedPath = openDialogPath;
    const std::string path = platform.dialogs->OpenFileDialog(request);
    if (!path.empty()) {
        openDialogPath = path;  // the dialog opens with its last choice next time
        bool ext = CheckBoxExtMonitor.Checked();
        switch (OpenParamFile(path, image, ext)) {
            case TOpenResult::CannotOpen:
                platform.dialogs->ShowMessage(Text(TMsg::OpenFileError));
                break;
            case TOpenResult::Unmatched:
                platform.dialogs->ShowMessage(Text(TMsg::UnmatchedIgn));
                break;
            case TOpenResult::Ok:
                CheckBoxExtMonitor.SetChecked(ext);
                UpdateBikeConstants(image);
                CommitChange();
                LabelFile2.SetText(path);
                LastFilePath = path;
                saveDialogPath = path;
                break;
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
