// What the windows need of the maker's component package: the sources link through which
// controls obtain their translated texts, the quick-search component bound to it, the
// date-time selector and the locale's date and time formats.
#pragma once

#include "platform/ui/Controls.h"

// The link between a window's controls and the texts of its language sources. The sources
// object belongs to the window.
class TVRXSourcesReference : public TComponent {
  RTL_CLASS(TVRXSourcesReference, TComponent)
 public:
  TObject* Sources() const { return FSources; }
  void SetSources(TObject* sources) { FSources = sources; }

 protected:
  TVRXSourcesReference() = default;

 private:
  TObject* FSources = nullptr;
};

// Components that take their texts through a sources link publish it as "SourceReference";
// the link is let go when the reference component is freed.
class TVRXSourceLink {
 public:
  TVRXSourcesReference* SourceReference() const { return FReference; }
  void SetSourceReference(TComponent* self, TVRXSourcesReference* reference);
  // To be called from the holder's Notification.
  void Notification(TComponent* component, TOperation operation);

 private:
  TVRXSourcesReference* FReference = nullptr;
};

// The quick search over a window's grids (typing into a grid finds the row).
class TFrmQSearch : public TComponent {
  RTL_CLASS(TFrmQSearch, TComponent)
 public:
  TVRXSourcesReference* SourceReference() const { return FLink.SourceReference(); }
  void SetSourceReference(TVRXSourcesReference* reference) {
    FLink.SetSourceReference(this, reference);
  }

 protected:
  TFrmQSearch() = default;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TVRXSourceLink FLink;
};

// The date-time selector: a date shown in a format of its own.
class TScrollDateTime : public TWinControl {
  RTL_CLASS(TScrollDateTime, TWinControl)
 public:
  TDateTime Date() const { return FDate; }
  void SetDate(TDateTime value) { FDate = value; }
  const String& Format() const { return FFormat; }
  void SetFormat(const String& value) { FFormat = value; }
  TVRXSourcesReference* SourceReference() const { return FLink.SourceReference(); }
  void SetSourceReference(TVRXSourcesReference* reference) {
    FLink.SetSourceReference(this, reference);
  }

 protected:
  TScrollDateTime() = default;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TDateTime FDate = 0;
  String FFormat = "dd.mm.yyyy";
  TVRXSourceLink FLink;
};

// The locale's formats the package offers its controls.
String VRXDateFormat();
String VRXTimeFormat();
String VRXDateTimeFormat();
