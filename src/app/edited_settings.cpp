#include "app/edited_settings.h"

#include <QLineEdit>

#include "app/write_refusal_texts.h"
#include "catalogue/device_catalogue.h"
#include "edit/group_fields.h"

namespace tadjust {

namespace {

// A button's caption as a message names it: its line break made a blank.
QString oneLineCaption(const QAbstractButton* button) {
  return caption(button).replace(QLatin1Char('\r'), QLatin1Char(' '));
}

const BilingualText& linearisationReason(LinearisationRefusal refusal) {
  switch (refusal) {
    case LinearisationRefusal::kNoSignalScale:
      return write_refusal_texts::NoSignalScale;
    case LinearisationRefusal::kTooFewPoints:
      return write_refusal_texts::TooFewPoints;
    case LinearisationRefusal::kEmptySpan:
      return write_refusal_texts::EmptySpan;
    case LinearisationRefusal::kTooManyBreakpoints:
      return write_refusal_texts::TooManyBreakpoints;
    case LinearisationRefusal::kWordOutOfRange:
      return write_refusal_texts::WordOutOfRange;
    case LinearisationRefusal::kSlopeTooSteep:
    case LinearisationRefusal::kNone:
      break;
  }
  return write_refusal_texts::SlopeTooSteep;
}

}  // namespace

EditedSettings::EditedSettings(Form1& form, EditState& edit, ValueValidation& validation,
                               Sources sources)
    : form_(form), edit_(edit), validation_(validation), sources_(std::move(sources)) {}

QString EditedSettings::text(const BilingualText& t) const { return t.in(form_.UseEnglish); }

EncodedSettings EditedSettings::encodeForWrite() {
  // What validation changes now the user has not seen: it stands in the boxes, and the user
  // sends it with the next press. A humidity pair that still holds no number is reported by the
  // validation itself; the encoder then refuses the box.
  const ValueValidation::ShownBoxes validated = validation_.validateShownBoxes();
  if (!validated.corrections.isEmpty()) {
    return WriteRefusal{
        text(write_refusal_texts::CorrectedBeforeSending)
            .arg(validated.corrections.join(QLatin1Char('\r')), oneLineCaption(form_.BitBtn4))};
  }

  const Layout layout = sources_.view.model.layout;
  if (particularsOf(layout).writesOverTheCopy && !copiedFromLinkedDevice(layout))
    return WriteRefusal{noCopyReason()};

  const LaidOutModel& model = sources_.view.model;
  const EncodingResult result =
      encodeSettings(readEditableGroup(form_, model), model, sources_.images);
  if (result.refusal) return WriteRefusal{refusalReason(*result.refusal)};
  if (result.EditSensorType) edit_.EditSensorType = *result.EditSensorType;

  const ConstBytes block = outgoingBlock(layout, sources_.images);
  return OutgoingBlock{particularsOf(layout).writeCommand, {block.begin(), block.end()}};
}

bool EditedSettings::copiedFromLinkedDevice(Layout layout) const {
  return sources_.copyRecord.copyMatches(
      identifyDevice(sources_.images, layout, sources_.linkNumber()));
}

QString EditedSettings::noCopyReason() const {
  return text(write_refusal_texts::NoCopyOfLinkedDevice)
      .arg(QString::fromStdString(sources_.view.modelLabel), oneLineCaption(form_.BitBtn3));
}

QString EditedSettings::refusalReason(const EncodingRefusal& refusal) const {
  const Layout layout = sources_.view.model.layout;
  const auto captionOf = [this, layout](std::optional<SettingsField> field) {
    return field ? fieldCaption(form_, layout, *field) : QString();
  };
  const auto textOf = [this, layout](std::optional<SettingsField> field) {
    const auto* box =
        field ? qobject_cast<const QLineEdit*>(controlOf(form_, layout, *field)) : nullptr;
    return box != nullptr ? box->text() : QString();
  };
  const QString named = captionOf(refusal.field);
  const SettingsField low =
      layout == Layout::Indicator ? SettingsField::DisplayLow : SettingsField::RangeLow;
  const SettingsField high =
      layout == Layout::Indicator ? SettingsField::DisplayHigh : SettingsField::RangeHigh;

  switch (refusal.reason) {
    case EncodingRefusalReason::kNotANumber:
      return text(write_refusal_texts::NotANumber).arg(named, textOf(refusal.field));
    case EncodingRefusalReason::kNotAnInteger:
      return text(write_refusal_texts::NotAnInteger).arg(named, textOf(refusal.field));
    case EncodingRefusalReason::kValueOutOfRange:
      return text(write_refusal_texts::ValueOutOfRange).arg(named, textOf(refusal.field));
    case EncodingRefusalReason::kNothingSelected:
      return text(write_refusal_texts::NothingSelected).arg(named);
    case EncodingRefusalReason::kNoVoltageScale:
      return text(write_refusal_texts::NoVoltageScale)
          .arg(named, QString::number(sources_.view.model.series));
    case EncodingRefusalReason::kLinearisationUnwritable:
      return text(write_refusal_texts::LinearisationUnwritable)
          .arg(captionOf(low), captionOf(high), text(linearisationReason(refusal.linearisation)));
    case EncodingRefusalReason::kFieldOutOfRange:
      return text(write_refusal_texts::FieldOutOfRange).arg(named);
    case EncodingRefusalReason::kEqualCalibrationPoints:
      return text(write_refusal_texts::EqualCalibrationPoints)
          .arg(indicator::InputCalLow.get(sources_.images.IndicatorCopy));
    case EncodingRefusalReason::kScaleOutOfRange:
      return text(write_refusal_texts::ScaleOutOfRange)
          .arg(captionOf(low), captionOf(high))
          .arg(indicator::InputCalLow.get(sources_.images.IndicatorCopy))
          .arg(indicator::InputCalHigh.get(sources_.images.IndicatorCopy));
    case EncodingRefusalReason::kAlarmCountOutOfRange:
      return text(write_refusal_texts::AlarmCountOutOfRange)
          .arg(named)
          .arg(indicator::InputCalLow.get(sources_.images.IndicatorCopy))
          .arg(indicator::InputCalHigh.get(sources_.images.IndicatorCopy));
    case EncodingRefusalReason::kEqualDisplayValues:
    case EncodingRefusalReason::kOtherLayout:  // the group is read for the model's own layout
      break;
  }
  return text(write_refusal_texts::EqualDisplayValues).arg(captionOf(low), captionOf(high));
}

}  // namespace tadjust
