#pragma once

// A missing mark picture is reported once a run. Tests that need the report
// again start from the state of a fresh run.
void ForgetMissingMarkReportsForTesting();
