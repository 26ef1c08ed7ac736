#include "ContactSchema.h"

ContactSchema::ContactSchema() : fields{&id, &name, &house, &work, &mobile, &birth, &note} {
  id.SetName("ID");
  id.SetKey(true);
  name.SetName("Name");
  house.SetName("House");
  work.SetName("Work");
  mobile.SetName("Mobile");
  birth.SetName("Birth");
  note.SetName("Note");
}
