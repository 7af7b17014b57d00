// What the SDK's two alert controllers share: a card with a message, a submit and a cancel button
// (outlets a nib connects), a kind, and the two actions. Either button closes the alert, without
// animation; the submit button of a tracking-permission alert then opens the app's settings page.
// Made only by loading the alert's nib. Main thread only.
#pragma once

#include <memory>

#include "platform/ui/button.h"
#include "platform/ui/label.h"
#include "platform/ui/view_controller.h"

namespace velkor {

class AlertControllerBase : public ui::ViewController {
 public:
  // 0 a plain alert, 1 the tracking-permission alert (submit opens the settings), 2 a server dialog.
  enum Type : long { plain = 0, trackingPermission = 1, serverDialog = 2 };

  // Outlets, held weakly (the alert's view tree owns them). Each setter styles its outlet at once.
  std::shared_ptr<ui::View> contentView() const { return contentView_.lock(); }
  void setContentView(const std::shared_ptr<ui::View>& view);
  // The message (the SDK's own name for it is spelled so).
  std::shared_ptr<ui::Label> messaageLabel() const { return messaageLabel_.lock(); }
  void setMessaageLabel(const std::shared_ptr<ui::Label>& label);
  std::shared_ptr<ui::Button> submitButton() const { return submitButton_.lock(); }
  void setSubmitButton(const std::shared_ptr<ui::Button>& button);
  std::shared_ptr<ui::Button> cancelButton() const { return cancelButton_.lock(); }
  void setCancelButton(const std::shared_ptr<ui::Button>& button);

  long type() const { return type_; }
  void setType(long type) { type_ = type; }

  // The nib wires these to the buttons' touch up inside.
  virtual void submitClicked();
  virtual void cancelButtonClicked();

 protected:
  virtual void styleContentView(ui::View& view) { (void)view; }
  virtual void styleMessageLabel(ui::Label& label) { (void)label; }
  virtual void styleSubmitButton(ui::Button& button) { (void)button; }
  virtual void styleCancelButton(ui::Button& button) { (void)button; }

 private:
  std::weak_ptr<ui::View> contentView_;
  std::weak_ptr<ui::Label> messaageLabel_;
  std::weak_ptr<ui::Button> submitButton_;
  std::weak_ptr<ui::Button> cancelButton_;
  long type_ = plain;
};

}  // namespace velkor
