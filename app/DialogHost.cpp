#include "app/DialogHost.h"

bool CDialogHost::RunViewOptions(CBars&, Settings&, QWidget*) {
    return false;
}

bool CDialogHost::RunGoTo(CBars&, Settings&, QWidget*) {
    return false;
}

bool CDialogHost::RunStudies(CStudyList&, Settings&, QWidget*) {
    return false;
}

bool CDialogHost::RunDirectionColors(CBars&, Settings&, QWidget*) {
    return false;
}

bool CDialogHost::StartSlideShow(const CSlideShowContext&) {
    return false;
}

void CDialogHost::RunCheckFolder(const std::string&, const std::function<void(const std::string&)>&,
                                 QWidget*) {}

void CDialogHost::RunAbout(QWidget*, int&, int&) {}
