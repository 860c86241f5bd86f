# Puts the field names (one a line in NAMES) into the completion TEMPLATE, written to OUTPUT.
file(STRINGS ${NAMES} names)
list(JOIN names " " DASHCAM_FIELD_NAMES)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
