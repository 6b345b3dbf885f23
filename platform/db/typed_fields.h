#pragma once
// The field family in one include: what MakeField and the datasets' field-class tables need.
#include "platform/db/bcd_fields.h"
#include "platform/db/binary_fields.h"
#include "platform/db/blob_fields.h"
#include "platform/db/boolean_field.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
