#include "StoredNetValues.h"

namespace OrbCtrl {

unsigned char StoredByte(const TStoredValue& Value)
{
    const unsigned Number = Value.AsUnsigned();
    if (Number > 0xFF)
        throw EReadError("Invalid property value '" + Value.Text + "'");
    return static_cast<unsigned char>(Number);
}

} // namespace OrbCtrl
