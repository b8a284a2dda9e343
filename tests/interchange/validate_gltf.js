// Runs the glTF validator over one .glb or .gltf (its files beside it) and prints the number of
// errors and each error's code and place, one a line. Exit status 0 when there is no error.
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

const file = process.argv[2];
const folder = path.dirname(file);
validator
    .validateBytes(new Uint8Array(fs.readFileSync(file)), {
        uri: path.basename(file),
        maxIssues: 50,
        externalResourceFunction: (uri) =>
            new Promise((resolve, reject) => {
                fs.readFile(path.join(folder, decodeURIComponent(uri)), (error, data) =>
                    error ? reject(error.toString()) : resolve(new Uint8Array(data)));
            }),
    })
    .then((report) => {
        console.log('errors ' + report.issues.numErrors);
        for (const issue of report.issues.messages)
            if (issue.severity === 0)
                console.log(issue.code + ' ' + issue.pointer + ': ' + issue.message);
        process.exit(report.issues.numErrors === 0 ? 0 : 1);
    })
    .catch((error) => {
        console.log('failed ' + error);
        process.exit(2);
    });
