#include "ExportRangeFields.h"

#include "ui/TimeField.h"

#include <QFormLayout>
#include <QLabel>

#include <algorithm>

namespace umbrascope {

namespace {

constexpr std::int32_t SecondMs = 1000;

} // namespace

ExportRangeFields::ExportRangeFields(QWidget* dialog, QFormLayout* form, std::int32_t sessionLength)
    : QObject(dialog), sessionLength_(std::max(sessionLength, 0)) {
    // A session that ends within a second still has that second to the end field.
    const int lastSecond = static_cast<int>((sessionLength_ + SecondMs - 1) / SecondMs);
    FromField = new TimeField(0, lastSecond, 0, dialog);
    FromField->setObjectName(QStringLiteral("FromField"));
    ToField = new TimeField(0, lastSecond, lastSecond, dialog);
    ToField->setObjectName(QStringLiteral("ToField"));
    fromLabel_ = new QLabel(dialog);
    fromLabel_->setBuddy(FromField);
    toLabel_ = new QLabel(dialog);
    toLabel_->setBuddy(ToField);
    fault_ = new QLabel(dialog);
    fault_->setWordWrap(true);
    form->addRow(fromLabel_, FromField);
    form->addRow(toLabel_, ToField);
    form->addRow(fault_);
    for (TimeField* field : {FromField, ToField})
        connect(field, &QSpinBox::valueChanged, this, [this] {
            ShowWhetherValid();
            emit Changed();
        });
    Retranslate();
    ShowWhetherValid();
}

std::int32_t ExportRangeFields::From() const {
    return FromField->value() * SecondMs;
}

std::int32_t ExportRangeFields::To() const {
    if (ToField->value() == ToField->maximum())
        return sessionLength_;
    return ToField->value() * SecondMs;
}

void ExportRangeFields::Retranslate() {
    fromLabel_->setText(tr("&С:"));
    toLabel_->setText(tr("&По:"));
    fault_->setText(tr("Конец должен быть позже начала."));
}

void ExportRangeFields::ShowWhetherValid() {
    fault_->setVisible(!Valid());
}

} // namespace umbrascope
