#include "project/ControlStates.h"

#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/Page.h"
#include "controls/PageControl.h"
#include "controls/RadioGroup.h"
#include "controls/SpinEdit.h"

namespace Definicje {

void LoadControlStates(const ProfileFile& file, const Controls::Page& page, const QString& section,
                       MissingKey missing)
{
    using Controls::Kind;
    // The list is read again on every pass: a handler may add controls to the page.
    for (qsizetype i = 0; i < page.controls().size(); ++i) {
        Controls::Control* control = page.controls().at(i);
        const QString& key = control->name();
        if (missing == MissingKey::Keep && !file.contains(section, key))
            continue;
        switch (control->kind()) {
        case Kind::Edit:
        case Kind::LabeledEdit:
            static_cast<Controls::Edit*>(control)->setText(file.readString(section, key));
            break;
        case Kind::CheckBox:
            static_cast<Controls::CheckBox*>(control)->setChecked(file.readInt(section, key, 0) !=
                                                                  0);
            break;
        case Kind::SpinEdit:
            static_cast<Controls::SpinEdit*>(control)->setValue(file.readInt(section, key, 0));
            break;
        case Kind::RadioGroup:
            static_cast<Controls::RadioGroup*>(control)->setItemIndex(
                file.readInt(section, key, 0));
            break;
        case Kind::ComboBox:
            static_cast<Controls::ComboBox*>(control)->setItemIndex(file.readInt(section, key, 0));
            break;
        case Kind::PageControl:
            static_cast<Controls::PageControl*>(control)->setCurrentIndex(
                file.readInt(section, key, 0));
            break;
        case Kind::Button:
        case Kind::Other:
            break;
        }
    }
}

void SaveControlStates(ProfileFile& file, const Controls::Page& page, const QString& section)
{
    using Controls::Kind;
    for (Controls::Control* control : page.controls()) {
        const QString& key = control->name();
        switch (control->kind()) {
        case Kind::Edit:
        case Kind::LabeledEdit:
            file.writeString(section, key, static_cast<Controls::Edit*>(control)->text());
            break;
        case Kind::CheckBox:
            file.writeInt(section, key, static_cast<Controls::CheckBox*>(control)->isChecked());
            break;
        case Kind::SpinEdit:
            file.writeInt(section, key, static_cast<Controls::SpinEdit*>(control)->value());
            break;
        case Kind::RadioGroup:
            file.writeInt(section, key, static_cast<Controls::RadioGroup*>(control)->itemIndex());
            break;
        case Kind::ComboBox:
            file.writeInt(section, key, static_cast<Controls::ComboBox*>(control)->itemIndex());
            break;
        case Kind::PageControl:
            file.writeInt(section, key,
                          static_cast<Controls::PageControl*>(control)->currentIndex());
            break;
        case Kind::Button:
        case Kind::Other:
            break;
        }
    }
}

} // namespace Definicje
