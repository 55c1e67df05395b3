#pragma once
// The serial port component as placed on forms: it publishes the settings
// and events of TCustomUart, in the order a stored form applies them, and
// adds nothing else. Loading a form never opens the port.

#include "YVclCtrl/CustomUart.h"
#include "rtl/StoredProperties.h"

namespace OrbCtrl {

class TPcUart : public YVclCtrl::TCustomUart {
public:
    explicit TPcUart(TComponent* AOwner) : TCustomUart(AOwner) {}

    // Name, the 15 properties and the 11 events. Enumerations are stored by
    // their identifiers (fcs_Hardware), the delimiter as a character (#10).
    void DefineProperties(TPropertyList& List) override;
};

} // namespace OrbCtrl
